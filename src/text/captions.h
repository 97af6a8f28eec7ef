#pragma once

class FrmBr;

// Each window's texts, set once when the window loads.
void setBrowseCaptions(FrmBr& w);
