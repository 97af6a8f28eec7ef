#pragma once

class FrmBr;

// Each window's colours and text size from the current scheme, applied once when it loads.
void applyBrowseColors(FrmBr& w);
