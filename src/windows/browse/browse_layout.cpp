#include "windows/browse/browse_layout.h"

using namespace BrowseDesign;

double findExtraSpace(double backHeight)
{
    return backHeight -
           (kIngLabelHeight + kPrepLabelHeight + kOtherLabelHeight + kButtonStripHeight + 2 * 0.2445 * backHeight +
            0.1319 * backHeight) -
           40;
}

BrowseLayout alignBrFrames(double width, double height)
{
    BrowseLayout l;
    l.border[0] = {0, 0, width, kBorderHeight};
    l.border[1] = {kBorderShadow, kBorderShadow, width, kBorderHeight};
    l.fraBack = {0, kBorderHeight, width, height - kBorderHeight};

    const double back = l.fraBack.height;
    l.fraTopLeft = {120, 40, kTopLeftWidth, back - kBotLeftHeight};
    l.fraRight = {kTopLeftWidth + 120, 40, l.fraBack.width - kTopLeftWidth - 120, back};
    l.fraBotLeft = {60, l.fraTopLeft.height, kTopLeftWidth, kBotLeftHeight};

    const double extra = findExtraSpace(back);
    const double inner = l.fraRight.width;
    const double bigBox = 0.2445 * back + 0.2445 * extra;
    const double smallBox = 0.1319 * back + 0.1319 * extra;
    l.lblIng = {0, 0, inner, kIngLabelHeight};
    l.txtIng = {120, l.lblIng.bottom(), inner - 240, bigBox};
    l.lblPrep = {0, l.txtIng.bottom(), inner, kPrepLabelHeight};
    l.txtPrep = {120, l.lblPrep.bottom(), inner - 240, bigBox};
    l.lblOther = {0, l.txtPrep.bottom(), inner, kOtherLabelHeight};
    l.txtOther = {120, l.lblOther.bottom(), inner - 240, smallBox};
    l.picture1 = {120, l.txtOther.bottom() + 125, inner - 240, kButtonStripHeight};

    const double left = l.fraTopLeft.height;
    l.cboCats = {kListLeft, kCatsTop, kListWidth, kCatsHeight};
    l.lstRecs = {kListLeft, kListTop, kListWidth, 0.5305 * left};
    l.frame1 = {kListLeft, l.lstRecs.bottom() + 40, kListWidth, 0.3082 * left};
    l.lblClickImg = {kListLeft, l.frame1.bottom(), kListWidth, kClickLabelHeight};
    return l;
}

ThumbPlacement fitThumbnail(const ThumbMargins& m, double fw, double fh, double pw, double ph, double naturalWidth,
                            double naturalHeight)
{
    ThumbPlacement t;
    if (fw - 200 >= pw && fh - 200 >= ph) {
        t.width = naturalWidth;
        t.height = naturalHeight;
        t.top = (fh - t.height) / 2 + 35;
        t.left = (fw - t.width) / 2;
        return t;
    }
    t.stretched = true;
    if (pw > ph) {
        t.width = fw - m.width;
        t.height = t.width * ph / pw;
        if (t.height > fh - m.heightLimit) {
            t.height = fh - m.height;
            t.width = t.height * pw / ph;
        }
    } else {
        t.height = fh - m.height;
        t.width = t.height * pw / ph;
        if (t.width > fw - m.widthLimit) {
            t.width = fw - m.width;
            t.height = t.width * ph / pw;
        }
    }
    t.top = (fh - t.height) / 2 + 45;
    t.left = (fw - t.width) / 2;
    return t;
}

ThumbPlacement fitBrowseThumbnail(double fw, double fh, double pw, double ph, double naturalWidth, double naturalHeight)
{
    return fitThumbnail({180, 180, 240, 240}, fw, fh, pw, ph, naturalWidth, naturalHeight);
}

bool verifyVersion(const QString& version)
{
    if (version.size() < 3 || !version[0].isDigit() || !version[2].isDigit())
        return false;
    const int major = version[0].digitValue();
    const int minor = version[2].digitValue();
    return (major >= 5 && minor >= 5) || major > 5;
}
