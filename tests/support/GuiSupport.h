#pragma once
// What the tests of the forms need: the forms, a main window, a dialog script, readers.
#include "core/Accounts.h"
#include "gui/Dialogs.h"
#include "gui/FlexGrid.h"
#include "gui/FontLayout.h"
#include "gui/FormControls.h"
#include "gui/MessageBoxes.h"
#include "gui/frmAbout.h"
#include "gui/frmAccounts.h"
#include "gui/frmInputForm.h"
#include "gui/frmKetterby.h"
#include "gui/frmNewEntry.h"
#include "tests/support/CoreSupport.h"

#include <QtTest>
#include <QtWidgets>

#include <functional>

// Records every message and answers it from a script (OK, else No).
class MessageRecorder {
  public:
    MessageRecorder() {
        MessageBoxes::SetResponder([this](const MessageBoxes::Message& message) {
            messages.append(message);
            if (!answers.isEmpty())
                return answers.takeFirst();
            return message.buttons == MessageBoxes::Buttons::OK ? MessageBoxes::Answer::OK
                                                                : MessageBoxes::Answer::No;
        });
    }
    ~MessageRecorder() { MessageBoxes::SetResponder({}); }
    void Answer(MessageBoxes::Answer answer) { answers.append(answer); }
    QList<MessageBoxes::Message> Take() { return std::exchange(messages, {}); }
    bool Empty() const { return messages.isEmpty(); }
    // The one message shown since the last Take, checked in full.
    void ExpectOne(const QString& text, MessageBoxes::Icon icon,
                   MessageBoxes::Buttons buttons = MessageBoxes::Buttons::OK,
                   const QString& title = "Ketterby") {
        const QList<MessageBoxes::Message> shown = Take();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].title + ": " + shown[0].text, title + ": " + text);
        QCOMPARE(std::pair(shown[0].icon, shown[0].buttons), std::pair(icon, buttons));
    }

  private:
    QList<MessageBoxes::Message> messages;
    QList<MessageBoxes::Answer> answers;
};

// Answers the modal dialogs in the order they open; one with no step queued is closed
// unanswered and counted, and so is a folder picker that the test did not set up.
class DialogScript {
  public:
    DialogScript() {
        Dialogs::SetDriver([this](QDialog& dialog) {
            steps.isEmpty() ? void(++unexpected) : steps.takeFirst()(dialog);
        });
        Dialogs::SetFolderPicker([this](const Dialogs::FolderRequest&) {
            ++unexpected;
            return std::nullopt;
        });
    }
    ~DialogScript() {
        Dialogs::SetDriver({});
        Dialogs::SetFolderPicker({});
    }
    template <class Form> void Then(std::function<void(Form&)> step) {
        steps.append([step](QDialog& dialog) { step(dynamic_cast<Form&>(dialog)); });
    }
    bool Finished() const { return steps.isEmpty() && unexpected == 0; }

  private:
    QList<std::function<void(QDialog&)>> steps;
    int unexpected = 0;
};

// A main window, a message recorder and a dialog script as well; at the end an unexpected
// message or dialog fails the test.
class Fixture : protected CoreFixture {
  protected:
    void Start() {
        CoreFixture::Start();
        messages = std::make_unique<MessageRecorder>();
        window = std::make_unique<frmKetterby>();
        script = std::make_unique<DialogScript>();
    }
    void Finish() {
        window.reset();
        const bool finished = script->Finished();
        script.reset();
        const bool quiet = messages->Empty();
        messages.reset();
        CoreFixture::Finish();
        QVERIFY2(quiet, "a message was shown that the test did not expect");
        QVERIFY2(finished, "a dialog was shown that the test did not expect");
    }
    // Logs the window in to the store with the password, as the account dialog does.
    void LogIn(const QString& path, const QString& password = "pw") {
        const QFileInfo file(path);
        auto opened = Accounts::LogIn(file.completeBaseName(), file.path() + '/', password,
                                      Accounts::Upkeep::CompactAndBackUp);
        QVERIFY2(opened.Done(), qPrintable(Texts(opened).join('\n')));
        window->ShowStore(std::move(*opened));
    }
    // A control or menu item of the main window, by its name.
    template <class Control = QWidget> Control* Named(const char* name) const {
        return window->findChild<Control*>(name);
    }

    std::unique_ptr<MessageRecorder> messages;
    std::unique_ptr<frmKetterby> window;
    std::unique_ptr<DialogScript> script;
};

// The grid's non-blank rows from the first given, their five columns joined by '|'.
inline QStringList GridRows(const frmKetterby& window, int first = 1) {
    const FlexGrid& grid = *window.findChild<FlexGrid*>("msgMSFlexGrid");
    QStringList rows;
    for (int row = first; row < grid.Rows(); ++row) {
        QStringList cells;
        for (int col = 0; col < 5; ++col)
            cells.append(grid.TextMatrix(row, col));
        if (cells.join("").size() > 0)
            rows.append(cells.join('|'));
    }
    return rows;
}

// The texts of a list or a combo box, in order.
inline QStringList Items(const QAbstractItemModel* list) {
    QStringList items;
    for (int row = 0; row < list->rowCount(); ++row)
        items.append(list->index(row, 0).data().toString());
    return items;
}
