#pragma once

#include "ui/platform/dialogs.h"

#include <QString>

// Real message boxes, input boxes and file dialogs, shown over the active window.
class QtDialogs : public Dialogs {
public:
    MsgAnswer message(const QString& text, const QString& title, MsgButtons buttons, MsgIcon icon) override;
    bool inputBox(const QString& prompt, const QString& title, const QString& defaultText, QString* result) override;
    bool openFile(FileDialogState& state) override;
    bool saveFile(FileDialogState& state) override;
    bool chooseFolder(FileDialogState& state) override;
};

// "SP XML (*.xml)|*.xml|(*.*)|*.*" in the form Qt's file dialog takes: "SP XML (*.xml);;(*.*)".
QString qtFileFilter(const QString& filter);
