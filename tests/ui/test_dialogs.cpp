// The real dialogs: the open form of the file dialog, and how a change to the book is reported.
#include "core/app/app_state.h"
#include "core/text/text_table.h"
#include "test_env.h"
#include "ui/platform/qt_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>
#include <memory>

namespace {

// Types a name into the file dialog once it is up and presses Enter; gives up (Escape) when the
// dialog is still there afterwards, as it is when it refuses the name.
void answerFileDialog(const QString& name)
{
    auto* timer = new QTimer(qApp); // gone with the application even when its last deleteLater is never run
    auto typed = std::make_shared<bool>(false);
    auto ticks = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, name, typed, ticks] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* complaint = qobject_cast<QMessageBox*>(modal)) {
            complaint->accept(); // the file dialog's own "file not found"
            return;
        }
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!dialog || *typed || ++*ticks > 200) {
            if (dialog)
                dialog->reject(); // it did not take the name
            if (dialog || *typed || *ticks > 200)
                timer->deleteLater();
            return;
        }
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        edit->setText(name);
        // Pressed from the event loop, so that whatever the dialog shows in answer does not stop this timer.
        QTimer::singleShot(0, edit, [edit] { QTest::keyClick(edit, Qt::Key_Return); });
        *typed = true;
    });
    timer->start(10);
}

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }

    // The open form takes a name that does not exist yet only where the caller checks names itself.
    void openFormAndNewNames()
    {
        QTemporaryDir folder;
        const QString fresh = QDir(folder.path()).filePath(QStringLiteral("new-export.xml"));
        QtDialogs dialogs;
        FileDialogState state;
        state.filter = QStringLiteral("SP XML (*.xml)|*.xml|");
        state.fileName = fresh;

        answerFileDialog(fresh);
        QVERIFY(!dialogs.openFile(state)); // refused: the file must exist

        state.mustExist = false;
        answerFileDialog(fresh);
        QVERIFY(dialogs.openFile(state));
        QCOMPARE(state.fileName, fresh);
        QCOMPARE(state.fileTitle, QStringLiteral("new-export.xml"));
    }

    // Picture notices first, then the failed save with the path and the system's reason.
    void changesAreReported()
    {
        WindowTestEnv env;
        ChangeOutcome outcome;
        outcome.notices = {TextId::PictureNotCopiedMessage};
        QVERIFY(reportChange(outcome));
        QCOMPARE(env.dialogs.messageTexts(), QStringList{loadText(TextId::PictureNotCopiedMessage)});

        env.dialogs.clear();
        outcome = {ChangeOutcome::Status::SaveFailed, QStringLiteral("No space left on device"), {}, {}};
        QVERIFY(!reportChange(outcome));
        QCOMPARE(env.dialogs.messages.size(), 1);
        const ShownMessage& shown = env.dialogs.messages.first();
        QVERIFY(shown.text.startsWith(loadText(TextId::SaveFailedMessage)));
        QVERIFY(shown.text.contains(QDir::toNativeSeparators(env.bookPath()) + QStringLiteral(": ")));
        QVERIFY(shown.text.endsWith(QStringLiteral("No space left on device")));
        QCOMPARE(shown.title, kMessageTitle);
        QCOMPARE(shown.icon, MsgIcon::Critical);

        env.dialogs.clear();
        QVERIFY(!reportChange(ChangeOutcome::notFound()));
        QVERIFY(env.dialogs.messages.isEmpty());
    }
};

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
