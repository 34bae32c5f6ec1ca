// The account dialog: log in, create an account, or rename and re-key one.
#include "gui/frmAccounts.h"

#include "core/AccountName.h"
#include "core/Accounts.h"
#include "core/Environment.h"
#include "core/StoreFolder.h"
#include "gui/Dialogs.h"
#include "gui/FolderBox.h"
#include "gui/FontLayout.h"
#include "gui/FormControls.h"
#include "gui/MessageBoxes.h"
#include "gui/StoreView.h"
#include "gui/TextInput.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

using FormControls::Make;
using MessageBoxes::Tell;
using MessageBoxes::Trap;

namespace {

const QString StoreFilter = QStringLiteral("Store files (*.mdb)");

QString Read(const QLineEdit* box) {
    return TextInput::TrimBlanks(box->text());
}

// An empty folder box means the user's data folder, about which the user is warned once a
// run when others can write to it; any other text is a plain prefix.
QString ReadFolder(const QLineEdit* box) {
    if (const QString folder = Read(box); !folder.isEmpty())
        return folder;
    const QString folder = StoreFolder::Default();
    static bool warned = false;
    if (const QString warning = StoreFolder::OthersCanWriteWarning(folder);
        !warning.isEmpty() && !std::exchange(warned, true))
        MessageBoxes::Show(warning, MessageBoxes::Icon::Exclamation);
    return folder;
}

// The key of a new name and password, after showing why New or Edit refuses them, if they do;
// both password boxes are cleared when they differed or the password was too long.
Result<StoreKey> NewAccountKey(const QString& name, QLineEdit* box, QLineEdit* confirmation,
                               bool passwordRequired) {
    Result<StoreKey> key =
        Accounts::CheckNewAccount(name, Read(box), Read(confirmation), passwordRequired);
    if (const QString refusal = key.Refusal();
        refusal == AccountName::Mismatch || refusal == Accounts::ShorterPassword) {
        box->clear();
        confirmation->clear();
    }
    Tell(key);
    return key;
}

QLineEdit* MakeBox(const char* name, QWidget* parent, QLabel* label) {
    auto* box = Make<QLineEdit>(name, parent);
    if (label)
        label->setBuddy(box);
    return box;
}

QLineEdit* MakePasswordBox(const char* name, QWidget* parent, QLabel* label) {
    QLineEdit* box = MakeBox(name, parent, label);
    box->setEchoMode(QLineEdit::Password);
    box->setStyleSheet("lineedit-password-character: 42");
    TextInput::InstallQuoteFilter(box);
    return box;
}

// A folder box left empty means the user's data folder, which it shows.
QLineEdit* MakeFolderBox(const char* name, QWidget* parent, QLabel* label) {
    auto* box = new FolderBox(Environment::DataFolder(), parent);
    box->setObjectName(name);
    if (label)
        label->setBuddy(box);
    box->setAccessibleName("Folder");
    return box;
}

QFrame* MakeFrame(const char* name, QWidget* tab) {
    auto* frame = Make<QFrame>(name, tab);
    frame->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(frame);
    return frame;
}

} // namespace

frmAccounts::frmAccounts(StoreView& view, QWidget* parent) : QDialog(parent), view(view) {
    setObjectName("frmAccounts");
    setWindowTitle("Accounts");
    setModal(true);

    SSTab1 = Make<QTabWidget>("SSTab1", this);
    auto* loginTab = new QWidget;
    auto* newTab = new QWidget;
    auto* editTab = new QWidget;
    SSTab1->addTab(loginTab, "Login");
    SSTab1->addTab(newTab, "New ");
    SSTab1->addTab(editTab, "Edit");
    SSTab1->addTab(new QWidget, "Exit");
    BuildLoginTab(loginTab);
    BuildNewTab(newTab);
    BuildEditTab(editTab);
    (new QVBoxLayout(this))->addWidget(SSTab1);

    FormControls::SetFocusOrder({txtLoginUser, txtLoginPassword, cmdLoginPath, txtLoginPath,
                                 cmdLogin, txtNewUser, txtNewPassword1, txtNewPassword2, cmdNewPath,
                                 txtNewPath, cmdCreate, txtEditOldUser, txtEditOldPass, cmdEditPath,
                                 txtEditPath, txtEditNewUser, txtEditNewPass1, txtEditNewPass2,
                                 cmdUpdate});
    SSTab1->setCurrentIndex(0);
    SSTab1_Click(0);
    connect(SSTab1, &QTabWidget::currentChanged, this, &frmAccounts::SSTab1_Click);
    connect(cmdLogin, &QPushButton::clicked, this, &frmAccounts::cmdLogin_Click);
    connect(cmdCreate, &QPushButton::clicked, this, &frmAccounts::cmdCreate_Click);
    connect(cmdUpdate, &QPushButton::clicked, this, &frmAccounts::cmdUpdate_Click);
    connect(cmdLoginPath, &QPushButton::clicked, this, &frmAccounts::cmdLoginPath_Click);
    connect(cmdNewPath, &QPushButton::clicked, this, &frmAccounts::cmdNewPath_Click);
    connect(cmdEditPath, &QPushButton::clicked, this, &frmAccounts::cmdEditPath_Click);
}

void frmAccounts::BuildLoginTab(QWidget* tab) {
    Frame1 = MakeFrame("Frame1", tab);
    auto* grid = new QGridLayout(Frame1);
    Label1 = Make<QLabel>("Label1", Frame1, " Account Name:");
    txtLoginUser = MakeBox("txtLoginUser", Frame1, Label1);
    Label2 = Make<QLabel>("Label2", Frame1, "Password:");
    txtLoginPassword = MakePasswordBox("txtLoginPassword", Frame1, Label2);
    cmdLoginPath = Make<QPushButton>("cmdLoginPath", Frame1, "&Browse");
    txtLoginPath = MakeFolderBox("txtLoginPath", Frame1, nullptr);
    cmdLogin = Make<QPushButton>("cmdLogin", Frame1, "&Login");
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(txtLoginUser, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(txtLoginPassword, 1, 1);
    grid->addWidget(cmdLoginPath, 2, 0);
    grid->addWidget(txtLoginPath, 2, 1);
    grid->addWidget(cmdLogin, 3, 1, Qt::AlignRight);
    grid->setRowStretch(4, 1);
}

void frmAccounts::BuildNewTab(QWidget* tab) {
    Frame2 = MakeFrame("Frame2", tab);
    auto* grid = new QGridLayout(Frame2);
    Label3 = Make<QLabel>("Label3", Frame2, "Account Name:");
    txtNewUser = MakeBox("txtNewUser", Frame2, Label3);
    Label5 = Make<QLabel>("Label5", Frame2, "Password:");
    txtNewPassword1 = MakePasswordBox("txtNewPassword1", Frame2, Label5);
    Label4 = Make<QLabel>("Label4", Frame2, "Confirm:");
    txtNewPassword2 = MakePasswordBox("txtNewPassword2", Frame2, Label4);
    cmdNewPath = Make<QPushButton>("cmdNewPath", Frame2, "&Browse");
    txtNewPath = MakeFolderBox("txtNewPath", Frame2, nullptr);
    cmdCreate = Make<QPushButton>("cmdCreate", Frame2, "&Create");
    grid->addWidget(Label3, 0, 0);
    grid->addWidget(txtNewUser, 0, 1);
    grid->addWidget(Label5, 1, 0);
    grid->addWidget(txtNewPassword1, 1, 1);
    grid->addWidget(Label4, 2, 0);
    grid->addWidget(txtNewPassword2, 2, 1);
    grid->addWidget(cmdNewPath, 3, 0);
    grid->addWidget(txtNewPath, 3, 1);
    grid->addWidget(cmdCreate, 4, 1, Qt::AlignRight);
    grid->setRowStretch(5, 1);
}

void frmAccounts::BuildEditTab(QWidget* tab) {
    Frame3 = MakeFrame("Frame3", tab);
    auto* grid = new QGridLayout(Frame3);
    Label6 = Make<QLabel>("Label6", Frame3, "Old Account Name");
    txtEditOldUser = MakeBox("txtEditOldUser", Frame3, Label6);
    Label7 = Make<QLabel>("Label7", Frame3, "Old Password");
    txtEditOldPass = MakePasswordBox("txtEditOldPass", Frame3, Label7);
    Label11 = Make<QLabel>("Label11", Frame3, "Path");
    cmdEditPath = Make<QPushButton>("cmdEditPath", Frame3, "&Browse");
    txtEditPath = MakeFolderBox("txtEditPath", Frame3, Label11);
    Label8 = Make<QLabel>("Label8", Frame3, "New Account Name");
    txtEditNewUser = MakeBox("txtEditNewUser", Frame3, Label8);
    Label9 = Make<QLabel>("Label9", Frame3, "New Password");
    txtEditNewPass1 = MakePasswordBox("txtEditNewPass1", Frame3, Label9);
    Label10 = Make<QLabel>("Label10", Frame3, "Confirm Password");
    txtEditNewPass2 = MakePasswordBox("txtEditNewPass2", Frame3, Label10);
    cmdUpdate = Make<QPushButton>("cmdUpdate", Frame3, "&Update");
    // Old values on the left, new values on the right; the folder of both across the whole
    // width below them, so that it shows whole; Update last.
    grid->addWidget(Label6, 0, 0, 1, 2);
    grid->addWidget(txtEditOldUser, 1, 0, 1, 2);
    grid->addWidget(Label7, 2, 0, 1, 2);
    grid->addWidget(txtEditOldPass, 3, 0, 1, 2);
    grid->addWidget(Label8, 0, 2);
    grid->addWidget(txtEditNewUser, 1, 2);
    grid->addWidget(Label9, 2, 2);
    grid->addWidget(txtEditNewPass1, 3, 2);
    grid->addWidget(Label10, 4, 2);
    grid->addWidget(txtEditNewPass2, 5, 2);
    grid->addWidget(Label11, 6, 0, 1, 3);
    grid->addWidget(cmdEditPath, 7, 0);
    grid->addWidget(txtEditPath, 7, 1, 1, 2);
    grid->addWidget(cmdUpdate, 8, 2, Qt::AlignRight);
    grid->setColumnMinimumWidth(1, 120);
    grid->setRowStretch(9, 1);
}

void frmAccounts::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FontLayout::CenterOnScreen(this);
}

// A tab chosen puts the focus in its first box, and Enter presses that tab's own button.
void frmAccounts::SSTab1_Click(int tab) {
    const std::pair<QLineEdit*, QPushButton*> tabs[] = {
        {txtLoginUser, cmdLogin}, {txtNewUser, cmdCreate}, {txtEditOldUser, cmdUpdate}};
    if (tab == 3) {
        close();
        return;
    }
    if (tab < 0 || tab >= int(std::size(tabs)))
        return;
    tabs[tab].first->setFocus();
    tabs[tab].second->setDefault(true);
}

// Every action closes the open store and shows the logged-out look before it looks for the
// account.
void frmAccounts::CloseStore() {
    view.CloseStore();
}

// A store opened by a log-in or a creation goes to the window, and the dialog closes; true
// when it did.
bool frmAccounts::ShowStore(Result<std::unique_ptr<Session>> opened) {
    if (!Tell(opened))
        return false;
    view.ShowStore(std::move(*opened));
    close();
    return true;
}

void frmAccounts::cmdLogin_Click() {
    Trap("cmdLogin_Click", [&] {
        const QString name = Read(txtLoginUser);
        const QString folder = ReadFolder(txtLoginPath);
        const QString password = Read(txtLoginPassword);
        CloseStore();
        auto opened = Accounts::LogIn(name, folder, password, Accounts::Upkeep::CompactAndBackUp);
        const bool wrong = opened.Refusal() == AccountName::CouldNotOpen;
        if (!ShowStore(std::move(opened)) && wrong) {
            txtLoginUser->clear();
            txtLoginPassword->clear();
            txtLoginUser->setFocus();
        }
    });
}

void frmAccounts::cmdCreate_Click() {
    Trap("cmdCreate_Click", [&] {
        const QString name = Read(txtNewUser);
        const Result<StoreKey> key = NewAccountKey(name, txtNewPassword1, txtNewPassword2, true);
        if (!key.Done())
            return;
        const QString folder = ReadFolder(txtNewPath);
        CloseStore();
        ShowStore(Accounts::Create(name, folder, *key));
    });
}

void frmAccounts::cmdUpdate_Click() {
    Trap("cmdUpdate_Click", [&] {
        const QString oldName = Read(txtEditOldUser);
        const QString folder = ReadFolder(txtEditPath);
        const QString newName = Read(txtEditNewUser);
        const Result<StoreKey> newKey =
            NewAccountKey(newName, txtEditNewPass1, txtEditNewPass2, false);
        if (newKey.Refusal() == AccountName::Mismatch)
            txtEditNewPass1->setFocus();
        if (!newKey.Done())
            return;
        CloseStore();
        const Outcome changed =
            Accounts::Change(folder, oldName, Read(txtEditOldPass), newName, *newKey);
        Tell(changed);
        if (changed.Refusal() == AccountName::CouldNotOpen)
            txtEditOldUser->setFocus();
        else if (changed.Refusal() != Accounts::NameInUse)
            close();
    });
}

void frmAccounts::PickFolderInto(const QString& procedure, QLineEdit* box, const QString& filter) {
    Trap(procedure, [&] {
        const auto folder = Dialogs::PickFolder({"Select path:", StoreFolder::Default(), filter});
        if (folder)
            box->setText(*folder);
    });
}

void frmAccounts::cmdLoginPath_Click() {
    PickFolderInto("cmdLoginPath", txtLoginPath, StoreFilter);
}
void frmAccounts::cmdNewPath_Click() {
    PickFolderInto("cmdNewPath", txtNewPath, {});
}
void frmAccounts::cmdEditPath_Click() {
    PickFolderInto("cmdEditPath", txtEditPath, StoreFilter);
}
