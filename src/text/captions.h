#pragma once

class FrmAdd;
class FrmBr;
class FrmEdit;

// Each window's texts, set once when the window loads.
void setBrowseCaptions(FrmBr& w);
void setAddCaptions(FrmAdd& w);
void setEditCaptions(FrmEdit& w);
