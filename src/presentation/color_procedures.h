#pragma once

class FrmAdd;
class FrmBr;
class FrmEdit;
class FrmOps;
class FrmSearch;

// Each window's colours and text size from the current scheme, applied once when it loads.
void applyBrowseColors(FrmBr& w);
void applyAddColors(FrmAdd& w);
void applyEditColors(FrmEdit& w);
void applySearchColors(FrmSearch& w);
void applyOpsColors(FrmOps& w);
