#pragma once

class FrmAdd;
class FrmBr;
class FrmEdit;
class FrmOps;
class FrmSearch;

// Each window's texts, set once when the window loads.
void setBrowseCaptions(FrmBr& w);
void setAddCaptions(FrmAdd& w);
void setEditCaptions(FrmEdit& w);
void setSearchCaptions(FrmSearch& w);
void setOptionsCaptions(FrmOps& w);
