#pragma once
// Registers the windows of this folder that other windows show by name
// ("frmSelectLearner", "frmRER_Main").
void registerWorkspaceForms();
