#pragma once
// Registers the windows of this folder that other windows show by name
// ("frmReportview" and the report windows).
void registerReportForms();
