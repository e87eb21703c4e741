#pragma once
// The Stage 2 to 4 pages, registered with the form registry so that the main
// menu and the pages' neighbours show them by name.

void registerSupportForms();
