// The New Entry dialog.
#include "gui/frmNewEntry.h"

#include "core/EntryOperations.h"
#include "gui/FontLayout.h"
#include "gui/FormControls.h"
#include "gui/MessageBoxes.h"
#include "gui/TextInput.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using FontLayout::Place;
using FormControls::Make;

namespace {

QLabel* MakeLabel(const char* name, const QString& caption, QWidget* parent) {
    auto* label = Make<QLabel>(name, parent, caption);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

QLineEdit* MakeBox(const char* name, QLabel* label, QWidget* parent) {
    auto* box = Make<QLineEdit>(name, parent);
    label->setBuddy(box);
    return box;
}

// Neither button answers Enter.
QPushButton* MakeButton(const char* name, const QString& caption, QWidget* parent) {
    auto* button = Make<QPushButton>(name, parent, caption);
    button->setAutoDefault(false);
    return button;
}

} // namespace

frmNewEntry::frmNewEntry(const Session& session, const QString& table, const QString& password,
                         QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      session(session), table(table) {
    setObjectName("frmNewEntry");
    setWindowTitle("New Entry");
    setModal(true);
    const FontLayout::Twips twips(this);
    setFixedSize(twips.X(4725), twips.Y(2535));

    Frame1 = Make<QGroupBox>("Frame1", this);
    Place(Frame1, 120, 120, 4455, 1695);
    Label1 = MakeLabel("Label1", "User ID", Frame1);
    Place(Label1, 240, 360, 1095, 255);
    txtUser = MakeBox("txtUser", Label1, Frame1);
    Place(txtUser, 1440, 240, 2895, 330);
    Label2 = MakeLabel("Label2", "Password", Frame1);
    Place(Label2, 240, 840, 1095, 255);
    txtPassword = MakeBox("txtPassword", Label2, Frame1);
    Place(txtPassword, 1440, 720, 2895, 360);
    TextInput::InstallQuoteFilter(txtPassword);
    Label3 = MakeLabel("Label3", "Description", Frame1);
    Place(Label3, 120, 1320, 1215, 255);
    txtDescription = MakeBox("txtDescription", Label3, Frame1);
    Place(txtDescription, 1440, 1200, 2895, 360);
    cmdOK = MakeButton("cmdOK", "&OK", this);
    Place(cmdOK, 1200, 2040, 975, 375);
    cmdCancel = MakeButton("cmdCancel", "&Cancel", this);
    Place(cmdCancel, 2400, 2040, 975, 375);

    FormControls::SetFocusOrder({txtUser, txtPassword, txtDescription, cmdOK, cmdCancel});
    txtPassword->setText(password);
    connect(cmdOK, &QPushButton::clicked, this, &frmNewEntry::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmNewEntry::cmdCancel_Click);
}

void frmNewEntry::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FontLayout::CenterOnScreen(this);
}

void frmNewEntry::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape)
        QDialog::keyPressEvent(event);
}

// A text too long keeps the dialog open; a full table or a failure is told and closes it.
void frmNewEntry::cmdOK_Click() {
    const QString userID = TextInput::TrimBlanks(txtUser->text());
    const QString password = TextInput::TrimBlanks(txtPassword->text());
    const QString description = TextInput::TrimBlanks(txtDescription->text());
    if (!MessageBoxes::Tell(Entries::CheckNewEntry(userID, password, description)))
        return;
    MessageBoxes::Tell(Entries::Add(session, table, userID, password, description));
    accept();
}

void frmNewEntry::cmdCancel_Click() {
    if (MessageBoxes::Confirm("Are you sure you wish to cancel this record?"))
        reject();
}
