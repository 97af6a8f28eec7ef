#include "core/layout/browse_layout.h"

using namespace BrowseDesign;

double browseExtraSpace(double backHeight)
{
    return backHeight -
           (kIngLabelHeight + kPrepLabelHeight + kOtherLabelHeight + kButtonStripHeight + 2 * 0.2445 * backHeight +
            0.1319 * backHeight) -
           40;
}

BrowseLayout layOutBrowseWindow(double width, double height)
{
    BrowseLayout l;
    l.heading[0] = {0, 0, width, kBorderHeight};
    l.heading[1] = {kBorderShadow, kBorderShadow, width, kBorderHeight};
    l.backPanel = {0, kBorderHeight, width, height - kBorderHeight};

    const double back = l.backPanel.height;
    l.listPanel = {120, 40, kTopLeftWidth, back - kBotLeftHeight};
    l.textPanel = {kTopLeftWidth + 120, 40, l.backPanel.width - kTopLeftWidth - 120, back};
    l.detailsPanel = {60, l.listPanel.height, kTopLeftWidth, kBotLeftHeight};

    const double extra = browseExtraSpace(back);
    const double inner = l.textPanel.width;
    const double bigBox = 0.2445 * back + 0.2445 * extra;
    const double smallBox = 0.1319 * back + 0.1319 * extra;
    l.ingredientsCaption = {0, 0, inner, kIngLabelHeight};
    l.ingredientsBox = {120, l.ingredientsCaption.bottom(), inner - 240, bigBox};
    l.preparationCaption = {0, l.ingredientsBox.bottom(), inner, kPrepLabelHeight};
    l.preparationBox = {120, l.preparationCaption.bottom(), inner - 240, bigBox};
    l.notesCaption = {0, l.preparationBox.bottom(), inner, kOtherLabelHeight};
    l.notesBox = {120, l.notesCaption.bottom(), inner - 240, smallBox};
    l.buttonPanel = {120, l.notesBox.bottom() + 125, inner - 240, kButtonStripHeight};

    const double left = l.listPanel.height;
    l.categoryCombo = {kListLeft, kCatsTop, kListWidth, kCatsHeight};
    l.recipeList = {kListLeft, kListTop, kListWidth, 0.5305 * left};
    l.pictureFrame = {kListLeft, l.recipeList.bottom() + 40, kListWidth, 0.3082 * left};
    l.viewPictureLabel = {kListLeft, l.pictureFrame.bottom(), kListWidth, kClickLabelHeight};
    return l;
}

ThumbPlacement showThumbnail(const ThumbMargins& m, double fw, double fh, double pw, double ph, double naturalWidth,
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
    return showThumbnail({180, 180, 240, 240}, fw, fh, pw, ph, naturalWidth, naturalHeight);
}
