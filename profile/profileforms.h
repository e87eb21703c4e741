#pragma once
// The Stage 1 profile pages, registered with the form registry so that the
// main menu and the pages' neighbours show them by name.

void registerProfileForms();
