// The main window: its controls, menus, start-up, looks and handlers.
#include "gui/frmKetterby.h"

#include "core/EntryOperations.h"
#include "core/Generate.h"
#include "core/TableCatalogue.h"
#include "core/TableCommands.h"
#include "gui/AccessibleComboBox.h"
#include "gui/Dialogs.h"
#include "gui/EntryGrid.h"
#include "gui/FlexGrid.h"
#include "gui/FontLayout.h"
#include "gui/FormControls.h"
#include "gui/GridEdit.h"
#include "gui/HelpPage.h"
#include "gui/MessageBoxes.h"
#include "gui/ScreenLock.h"
#include "gui/TextInput.h"
#include "gui/frmAbout.h"
#include "gui/frmAccounts.h"
#include "gui/frmInputForm.h"
#include "gui/frmNewEntry.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>

using FontLayout::Place;
using FormControls::Make;
using MessageBoxes::Tell;

namespace {

QPushButton* MakeButton(const char* name, const QString& caption, QWidget* parent) {
    return Make<QPushButton>(name, parent, caption);
}

QGroupBox* MakeFrame(const char* name, const QString& caption, QWidget* parent) {
    return Make<QGroupBox>(name, parent, caption);
}

QRadioButton* MakeOption(const char* name, const QString& caption, QWidget* parent) {
    return Make<QRadioButton>(name, parent, caption);
}

QAction* MakeItem(const char* name, const QString& caption, QMenu* menu) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    return item;
}

QAction* MakeSeparator(const char* name, QMenu* menu) {
    QAction* separator = menu->addSeparator();
    separator->setObjectName(name);
    return separator;
}

// Controls on a tab page are laid out from the top of the tab control, strip included.
void PlaceOnTab(QWidget* widget, int stripTwips, int left, int top, int width, int height) {
    Place(widget, left, top - stripTwips, width, height);
}

qint16 CurrentRow(const FlexGrid& grid) {
    return qint16(grid.Row());
}

qint16 CurrentCol(const FlexGrid& grid) {
    return qint16(grid.Col());
}

} // namespace

frmKetterby::frmKetterby(Controls controls) {
    InstallAccessibleComboBoxes();
    setObjectName("frmKetterby");
    setWindowTitle("Ketterby");
    new ScreenLock([this] { mnuFileLogout_Click(); }, this);
    if (controls == Controls::Now)
        MakeControls();
}

// Start-up's first four steps go with the controls: centre, log out, the generator's defaults,
// and the Accounts menu.
void frmKetterby::MakeControls() {
    if (SSTab1)
        return;
    auto* client = new QWidget(this);
    const FontLayout::Twips twips(this);
    client->setFixedSize(twips.X(10605), twips.Y(7125));
    setCentralWidget(client);

    SSTab1 = Make<QTabWidget>("SSTab1", client);
    Place(SSTab1, 120, 120, 10335, 6855);
    auto* passwordsTab = new QWidget;
    auto* generatorTab = new QWidget;
    SSTab1->addTab(passwordsTab, "Passwords");
    SSTab1->addTab(generatorTab, "Generator");
    SSTab1->setCurrentIndex(0);
    const int stripTwips = int(twips.FromY(SSTab1->tabBar()->sizeHint().height()));
    BuildPasswordsTab(passwordsTab, stripTwips);
    BuildGeneratorTab(generatorTab, stripTwips);
    BuildMenus();
    setFixedSize(sizeHint());

    connect(cmbCurrentTable, &QComboBox::activated, this, &frmKetterby::cmbCurrentTable_Click);
    connect(cmdAdd, &QPushButton::clicked, this, &frmKetterby::cmdAdd_Click);
    connect(cmdRemove, &QPushButton::clicked, this, &frmKetterby::cmdRemove_Click);
    connect(cmdRename, &QPushButton::clicked, this, &frmKetterby::cmdRename_Click);
    ConnectGenerator();
    connect(cmdNew, &QPushButton::clicked, this, &frmKetterby::cmdNew_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmKetterby::cmdDelete_Click);
    connect(cmdEdit, &QPushButton::clicked, this, &frmKetterby::cmdEdit_Click);
    connect(cmdCut, &QPushButton::clicked, this, &frmKetterby::cmdCut_Click);
    connect(cmdPaste, &QPushButton::clicked, this, &frmKetterby::cmdPaste_Click);
    connect(cmdExport, &QPushButton::clicked, this, &frmKetterby::cmdExport_Click);
    // A command chosen from the menu leaves the focus in the edit box: the edit is discarded
    // all the same, so that Enter cannot write into an entry the command has moved.
    connect(mnuCommands, &QMenu::aboutToShow, this, &frmKetterby::txtText_LostFocus);
    // Both table selectors show the one model of names, so they cannot disagree.
    cmbCurrentTable->setModel(&tableNames);
    TablesList->setModel(&tableNames);
    TablesList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A keyboard copy in the grid or the generated list takes Export's path, never the views'
    // own copy, which would leave a password on the clipboard unmarked and for good.
    msgMSFlexGrid->installEventFilter(this);
    PasswordList->installEventFilter(this);
    GiveMenuTitlesTheirAccessKeys();

    FontLayout::CenterOnScreen(this);
    EnableControls(false);
    SetGeneratorDefaults();
    mnuAccounts->setEnabled(true);
}

void frmKetterby::BuildPasswordsTab(QWidget* tab, int stripTwips) {
    msgMSFlexGrid = Make<FlexGrid>("msgMSFlexGrid", tab);
    PlaceOnTab(msgMSFlexGrid, stripTwips, 240, 480, 9855, 5175);
    msgMSFlexGrid->SetCols(5);
    msgMSFlexGrid->setAccessibleName("Entries");
    msgMSFlexGrid->SetColFont(4, FontLayout::FixedPitchFont(this));

    txtText = GridEdit::MakeEditBox(tab, this);
    PlaceOnTab(txtText, stripTwips, 7440, 2640, 1935, 375);

    Frame3 = MakeFrame("Frame3", {}, tab);
    PlaceOnTab(Frame3, stripTwips, 240, 5760, 9855, 855);
    struct ButtonLayout {
        QPushButton*& button;
        const char* name;
        const char* caption;
        int left;
    };
    const ButtonLayout buttons[] = {
        {cmdNew, "cmdNew", "&New", 240},           {cmdDelete, "cmdDelete", "&Delete", 1320},
        {cmdEdit, "cmdEdit", "&Edit", 2400},       {cmdInsert, "cmdInsert", "&Insert", 3480},
        {cmdCut, "cmdCut", "&Cut", 4560},          {cmdPaste, "cmdPaste", "&Paste", 5640},
        {cmdExport, "cmdExport", "E&xport", 6720},
    };
    for (const ButtonLayout& layout : buttons) {
        layout.button = MakeButton(layout.name, layout.caption, Frame3);
        Place(layout.button, layout.left, 240, 975, 375);
    }
    cmbCurrentTable = Make<QComboBox>("cmbCurrentTable", Frame3);
    cmbCurrentTable->setEditable(true);
    cmbCurrentTable->setInsertPolicy(QComboBox::NoInsert);
    cmbCurrentTable->setEditText("cmbCurrentTable");
    cmbCurrentTable->setAccessibleName("Current table");
    cmbCurrentTable->lineEdit()->setAccessibleName("Current table");
    Place(cmbCurrentTable, 7920, 240, 1695, 315);
}

void frmKetterby::BuildGeneratorTab(QWidget* tab, int stripTwips) {
    Frame1 = MakeFrame("Frame1", "Tables", tab);
    PlaceOnTab(Frame1, stripTwips, 240, 480, 2535, 5775);
    TablesList = Make<QListView>("TablesList", Frame1);
    TablesList->setAccessibleName("Tables");
    Place(TablesList, 240, 360, 2055, 3375);
    cmdAdd = MakeButton("cmdAdd", "&Add", Frame1);
    Place(cmdAdd, 720, 3960, 1095, 375);
    cmdRemove = MakeButton("cmdRemove", "&Remove", Frame1);
    Place(cmdRemove, 720, 4560, 1095, 375);
    cmdRename = MakeButton("cmdRename", "&Rename", Frame1);
    Place(cmdRename, 720, 5160, 1095, 375);

    frmProperties1 = MakeFrame("frmProperties1", "Properties", tab);
    PlaceOnTab(frmProperties1, stripTwips, 3000, 480, 2415, 3255);
    Frame4 = MakeFrame("Frame4", {}, frmProperties1);
    Frame4->setAccessibleName("Character class");
    Place(Frame4, 240, 240, 1935, 1335);
    optLetters = MakeOption("optLetters", "Letters", Frame4);
    Place(optLetters, 120, 240, 1215, 255);
    optNumbers = MakeOption("optNumbers", "Numbers", Frame4);
    Place(optNumbers, 120, 600, 1215, 255);
    optLettersNumbers = MakeOption("optLettersNumbers", "Both", Frame4);
    Place(optLettersNumbers, 120, 960, 1215, 255);
    Frame5 = MakeFrame("Frame5", {}, frmProperties1);
    Frame5->setAccessibleName("Letter case");
    Place(Frame5, 240, 1680, 1935, 1335);
    optLowerCase = MakeOption("optLowerCase", "LowerCase", Frame5);
    Place(optLowerCase, 120, 240, 1335, 255);
    optUpperCase = MakeOption("optUpperCase", "UpperCase", Frame5);
    Place(optUpperCase, 120, 600, 1335, 255);
    optLowerUpperCase = MakeOption("optLowerUpperCase", "Both", Frame5);
    Place(optLowerUpperCase, 120, 960, 1335, 255);

    frmProperties2 = MakeFrame("frmProperties2", {}, tab);
    PlaceOnTab(frmProperties2, stripTwips, 3000, 3840, 2415, 1215);
    lblPWLength = Make<QLabel>("lblPWLength", frmProperties2, "PasswordSize");
    Place(lblPWLength, 120, 480, 1335, 255);
    cmbPasswordLength = Make<QComboBox>("cmbPasswordLength", frmProperties2);
    cmbPasswordLength->setAccessibleName("Password size");
    Place(cmbPasswordLength, 1560, 480, 735, 315);
    lblPWLength->setBuddy(cmbPasswordLength);

    Frame6 = MakeFrame("Frame6", {}, tab);
    PlaceOnTab(Frame6, stripTwips, 3000, 5160, 2415, 1095);
    cmdGenerate = MakeButton("cmdGenerate", "&Generate", Frame6);
    Place(cmdGenerate, 720, 360, 975, 375);

    Frame2 = MakeFrame("Frame2", "Passwords generated", tab);
    PlaceOnTab(Frame2, stripTwips, 5640, 480, 4455, 5775);
    PasswordList = Make<QListWidget>("PasswordList", Frame2);
    PasswordList->setAccessibleName("Passwords generated");
    PasswordList->setFont(FontLayout::FixedPitchFont(this));
    Place(PasswordList, 240, 360, 3975, 5100);
}

void frmKetterby::BuildMenus() {
    mnuFile = menuBar()->addMenu("&File");
    mnuFile->setObjectName("mnuFile");
    mnuFileLogout = MakeItem("mnuFileLogout", "Log out", mnuFile);
    mnuSeparator1 = MakeSeparator("mnuSeparator1", mnuFile);
    mnuFileExit = MakeItem("mnuFileExit", "E&xit", mnuFile);
    mnuFileExit->setShortcut(QKeySequence("Ctrl+X"));

    mnuCommands = menuBar()->addMenu("&Commands");
    mnuCommands->setObjectName("mnuCommands");
    mnuCommandsNew = MakeItem("mnuCommandsNew", "&New", mnuCommands);
    mnuCommandsDelete = MakeItem("mnuCommandsDelete", "&Delete", mnuCommands);
    mnuCommandsEdit = MakeItem("mnuCommandsEdit", "&Edit", mnuCommands);
    mnuCommandsInsert = MakeItem("mnuCommandsInsert", "&Insert", mnuCommands);
    mnuCommandsCut = MakeItem("mnuCommandsCut", "&Cut", mnuCommands);
    mnuCommandsPaste = MakeItem("mnuCommandsPaste", "&Paste", mnuCommands);
    mnuCommandsExport = MakeItem("mnuCommandsExport", "E&xport", mnuCommands);
    // Each Commands item runs the handler of the button with the same caption.
    const std::pair<QAction*, QPushButton*> forwards[] = {
        {mnuCommandsNew, cmdNew},       {mnuCommandsDelete, cmdDelete},
        {mnuCommandsEdit, cmdEdit},     {mnuCommandsInsert, cmdInsert},
        {mnuCommandsCut, cmdCut},       {mnuCommandsPaste, cmdPaste},
        {mnuCommandsExport, cmdExport},
    };
    for (const auto& [item, button] : forwards)
        connect(item, &QAction::triggered, button, &QPushButton::click);

    mnuAccounts = menuBar()->addMenu("&Accounts");
    mnuAccounts->setObjectName("mnuAccounts");
    mnuAccountsAccountSetup = MakeItem("mnuAccountsAccountSetup", "Account &Setup", mnuAccounts);

    mnuHelp = menuBar()->addMenu("&Help");
    mnuHelp->setObjectName("mnuHelp");
    mnuHelpContents = MakeItem("mnuHelpContents", "&Contents", mnuHelp);
    mnuSeparator2 = MakeSeparator("mnuSeparator2", mnuHelp);
    mnuHelpAbout = MakeItem("mnuHelpAbout", "&About", mnuHelp);

    connect(mnuFileLogout, &QAction::triggered, this, &frmKetterby::mnuFileLogout_Click);
    connect(mnuFileExit, &QAction::triggered, this, &frmKetterby::mnuFileExit_Click);
    connect(mnuAccountsAccountSetup, &QAction::triggered, this,
            &frmKetterby::mnuAccountsAccountSetup_Click);
    connect(mnuHelpContents, &QAction::triggered, this, &frmKetterby::mnuHelpContents_Click);
    connect(mnuHelpAbout, &QAction::triggered, this, &frmKetterby::mnuHelpAbout_Click);
}

void frmKetterby::Form_Load() {
    try {
        frmAccounts accounts(*this, this);
        // Start-up waits for the dialog, not for this hidden window: controls not made yet are
        // made once the dialog is on screen, or by whichever of its actions comes first.
        Dialogs::AfterFirstPaint(accounts, [this] { MakeControls(); });
        Dialogs::ShowModal(accounts);
        MakeControls();
    } catch (const Failure& failure) {
        setWindowTitle("Ketterby - " + failure.description);
    }
}

// At start-up the account dialog's first action may come before the controls are made. The
// table names and the grid's entries go with the store, so nothing of it stays on screen.
void frmKetterby::CloseStore() {
    MakeControls();
    session.reset();
    CurrentTable = DefaultTable;
    tableNames.setStringList({});
    EntryGrid::ClearEntries(*msgMSFlexGrid);
    GridEdit::RenewEditBox(txtText, this);
    EnableControls(false);
}

// The store's table names, and its "Default" table in the grid with no cell selected.
void frmKetterby::ShowStore(std::unique_ptr<Session> opened) {
    MakeControls();
    session = std::move(opened);
    CurrentTable = DefaultTable;
    const Result<QStringList> names = Tables::List(*session);
    tableNames.setStringList(Tell(names) ? *names : QStringList());
    ShowHeaderCorner();
    EntryGrid::PopulateFlexGrid(DefaultTable, *msgMSFlexGrid, session->Connection(), 0, 0);
    ShowInChooser(DefaultTable);
    SelectDefaultInList();
    EnableControls(true);
}

void frmKetterby::EnableControls(bool enabled) {
    SSTab1->setVisible(enabled);
    SSTab1->setEnabled(enabled);
    mnuCommands->setEnabled(enabled);
}

// The current table again, keeping the current cell.
void frmKetterby::RefillGrid() {
    EntryGrid::PopulateFlexGrid(CurrentTable, *msgMSFlexGrid, session->Connection(),
                                CurrentRow(*msgMSFlexGrid), CurrentCol(*msgMSFlexGrid));
}

void frmKetterby::ShowHeaderCorner() {
    msgMSFlexGrid->SetRow(0);
    msgMSFlexGrid->SetCol(0);
}

void frmKetterby::closeEvent(QCloseEvent* event) {
    if (session)
        CloseStore();
    event->accept();
}

void frmKetterby::mnuFileLogout_Click() {
    CloseStore();
}

void frmKetterby::mnuFileExit_Click() {
    close();
}

void frmKetterby::mnuAccountsAccountSetup_Click() {
    frmAccounts accounts(*this, this);
    Dialogs::ShowModal(accounts);
}

void frmKetterby::mnuHelpContents_Click() {
    MessageBoxes::Trap("mnuHelpContents_Click", HelpPage::Show);
}

void frmKetterby::mnuHelpAbout_Click() {
    frmAbout about(this);
    Dialogs::ShowModal(about);
}

void frmKetterby::cmbCurrentTable_Click() {
    if (const QString name = cmbCurrentTable->currentText(); name != CurrentTable) {
        CurrentTable = name;
        RefillGrid();
    }
}

// Asks for a table name and makes the table list scrollable far enough to show it.
QString frmKetterby::AskForTableName(const QString& prompt) {
    const QString name = AskForInput(this, prompt);
    FormControls::SetListExtent(*TablesList, name);
    return name;
}

void frmKetterby::ShowCurrentTable(const QString& shownBefore) {
    if (CurrentTable != shownBefore) {
        ShowInChooser(CurrentTable);
        RefillGrid();
    }
    SelectDefaultInList();
}

// A table that has gone, or has another name now, is no longer shown: "Default" is.
void frmKetterby::ForgetTable(const QString& name) {
    tableNames.removeRows(int(tableNames.stringList().indexOf(name)), 1);
    if (CurrentTable == name)
        CurrentTable = DefaultTable;
}

void frmKetterby::AppendTableName(const QString& name) {
    const int row = tableNames.rowCount();
    tableNames.insertRows(row, 1);
    tableNames.setData(tableNames.index(row), name);
}

void frmKetterby::ShowInChooser(const QString& table) {
    cmbCurrentTable->setCurrentIndex(cmbCurrentTable->findText(table, Qt::MatchExactly));
}

void frmKetterby::SelectDefaultInList() {
    TablesList->setCurrentIndex(
        tableNames.index(int(tableNames.stringList().indexOf(DefaultTable))));
}

void frmKetterby::cmdAdd_Click() {
    if (const QString name = AskForTableName("Enter name of table:"); !name.isEmpty()) {
        if (Tell(Tables::Add(*session, name)))
            AppendTableName(name);
        ShowCurrentTable(CurrentTable);
    }
}

void frmKetterby::cmdRemove_Click() {
    const QString shown = CurrentTable;
    const QString name = FormControls::SelectedItemText(*TablesList);
    if (name.isEmpty())
        return;
    if (Tell(Tables::CheckRemovable(name)) &&
        MessageBoxes::Confirm(Tables::RemovalQuestion(name)) &&
        Tell(Tables::Remove(*session, name)))
        ForgetTable(name);
    ShowCurrentTable(shown);
}

void frmKetterby::cmdRename_Click() {
    const QString shown = CurrentTable;
    const QString name = AskForTableName("Enter new name:");
    const QString old = FormControls::SelectedItemText(*TablesList);
    if (name.isEmpty() || old.isEmpty())
        return;
    if (Tell(Tables::Rename(*session, old, name))) {
        ForgetTable(old);
        AppendTableName(name);
    }
    ShowCurrentTable(shown);
}

void frmKetterby::ConnectGenerator() {
    // An option's handler runs whenever it becomes selected, by the user or by the program.
    const std::pair<QRadioButton*, void (frmKetterby::*)()> options[] = {
        {optLetters, &frmKetterby::optLetters_Click},
        {optNumbers, &frmKetterby::optNumbers_Click},
        {optLettersNumbers, &frmKetterby::optLettersNumbers_Click},
        {optLowerCase, &frmKetterby::optLowerCase_Click},
        {optUpperCase, &frmKetterby::optUpperCase_Click},
        {optLowerUpperCase, &frmKetterby::optLowerUpperCase_Click},
    };
    for (const auto& [option, handler] : options)
        connect(option, &QRadioButton::toggled, this, [this, handler = handler](bool selected) {
            if (selected)
                (this->*handler)();
        });
    connect(cmbPasswordLength, &QComboBox::currentIndexChanged, this,
            &frmKetterby::cmbPasswordLength_Click);
    connect(cmdGenerate, &QPushButton::clicked, this, &frmKetterby::cmdGenerate_Click);
    connect(cmdInsert, &QPushButton::clicked, this, &frmKetterby::cmdInsert_Click);
}

// Where a button's access key is also a menu title's, the menu bar keeps it; the button stays
// reachable by Tab and through the Commands menu. The account dialog, which may be open as the
// controls are made, keeps its own keys.
void frmKetterby::GiveMenuTitlesTheirAccessKeys() {
    for (const QAction* title : menuBar()->actions())
        for (QPushButton* button : centralWidget()->findChildren<QPushButton*>())
            if (button->shortcut() == QKeySequence::mnemonic(title->text()))
                button->setShortcut({});
}

void frmKetterby::SetGeneratorDefaults() {
    PasswordLength = 10;
    PasswordCount = 20;
    optLettersNumbers->setChecked(true);
    optLowerUpperCase->setChecked(true);
    for (int length = 6; length <= 25; ++length)
        cmbPasswordLength->addItem(QString::number(length));
    cmbPasswordLength->setCurrentIndex(4);
}

void frmKetterby::optLetters_Click() {
    PasswordType = "Letters";
    EnableCaseOptions(true);
}
void frmKetterby::optNumbers_Click() {
    PasswordType = "Numbers";
    EnableCaseOptions(false);
}
void frmKetterby::optLettersNumbers_Click() {
    PasswordType = "LettersNumbers";
    EnableCaseOptions(true);
}
void frmKetterby::optLowerCase_Click() {
    PasswordCase = "LowerCase";
}
void frmKetterby::optUpperCase_Click() {
    PasswordCase = "UpperCase";
}
void frmKetterby::optLowerUpperCase_Click() {
    PasswordCase = "LowerUpperCase";
}

void frmKetterby::cmbPasswordLength_Click() {
    PasswordLength = qint16(cmbPasswordLength->currentIndex() + 6);
}

void frmKetterby::cmdGenerate_Click() {
    PasswordList->clear();
    const QStringList passwords = Generate::GenerateFromSettings(
        PasswordType, PasswordCase, quint8(PasswordLength), PasswordCount);
    if (passwords.isEmpty())
        return;
    PasswordList->addItems(passwords);
    PasswordList->setCurrentRow(0);
}

QString frmKetterby::SelectedPassword() const {
    return FormControls::SelectedItemText(*PasswordList);
}

// The user sees the old and the new password before saying Yes. A failure leaves the grid as
// it is.
void frmKetterby::cmdInsert_Click() {
    const QString password = SelectedPassword();
    if (password.isEmpty()) {
        MessageBoxes::Show("Please select a password first.", MessageBoxes::Icon::Exclamation);
        return RefillGrid();
    }
    const qint16 row = CurrentRow(*msgMSFlexGrid);
    const Result<QString> old = Entries::PasswordToReplace(*session, CurrentTable, row);
    Outcome replaced = old;
    if (old.Done() &&
        MessageBoxes::Confirm("Are you sure you wish to continue: " + LineBreak +
                              "Old Password: " + *old + LineBreak + "New Password: " + password))
        replaced = Entries::ReplacePassword(*session, CurrentTable, row, password);
    Tell(replaced);
    if (!replaced.Failed())
        RefillGrid();
}

void frmKetterby::EnableCaseOptions(bool enabled) {
    for (QRadioButton* option : {optLowerCase, optUpperCase, optLowerUpperCase})
        option->setEnabled(enabled);
}

// The commands below need a store: the logged-out look hides and disables them all.

void frmKetterby::cmdNew_Click() {
    frmNewEntry entry(*session, CurrentTable, SelectedPassword(), this);
    Dialogs::ShowModal(entry);
    if (entry.result() == QDialog::Accepted)
        RefillGrid();
    ShowHeaderCorner();
}

void frmKetterby::cmdDelete_Click() {
    const qint16 row = CurrentRow(*msgMSFlexGrid);
    if (Tell(Entries::CheckDeletable(*session, CurrentTable, row),
             MessageBoxes::Buttons::OKCancel) &&
        MessageBoxes::Confirm(Entries::DeletionQuestion(row)))
        Tell(Entries::Delete(*session, CurrentTable, row));
    RefillGrid();
    ShowHeaderCorner();
}

void frmKetterby::cmdEdit_Click() {
    GridEdit::EditEntry(*session, CurrentTable, *msgMSFlexGrid, *txtText,
                        CurrentRow(*msgMSFlexGrid), CurrentCol(*msgMSFlexGrid));
}

void frmKetterby::cmdCut_Click() {
    FlexGrid& grid = *msgMSFlexGrid;
    const qint16 row = CurrentRow(grid);
    Tell(Entries::Cut(*session, CurrentTable, row, cutBuffer));
    EntryGrid::PopulateFlexGrid(CurrentTable, grid, session->Connection(), qint16(row - 1),
                                CurrentCol(grid));
    ShowHeaderCorner();
}

void frmKetterby::cmdPaste_Click() {
    Tell(Entries::Paste(*session, CurrentTable, cutBuffer));
    RefillGrid();
    ShowHeaderCorner();
}

void frmKetterby::cmdExport_Click() {
    clipboardExport.Export(msgMSFlexGrid->TextMatrix(msgMSFlexGrid->Row(), msgMSFlexGrid->Col()));
}

// Enter writes the box's text into the cell made current when the box opened.
void frmKetterby::txtText_KeyDown() {
    HideEditBox();
    const FlexGrid& grid = *msgMSFlexGrid;
    const auto field = GridEdit::FieldOfColumn(CurrentCol(grid));
    if (field && Tell(Entries::SaveField(*session, CurrentTable, CurrentRow(grid), *field,
                                         TextInput::TrimBlanks(txtText->text()))))
        RefillGrid();
}

void frmKetterby::txtText_LostFocus() {
    HideEditBox();
}

// Unless the user has put the focus elsewhere, it goes back to the grid, on the cell edited.
void frmKetterby::HideEditBox() {
    const bool focused = focusWidget() == txtText;
    txtText->hide();
    if (focused)
        msgMSFlexGrid->setFocus();
}

bool frmKetterby::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == msgMSFlexGrid || watched == PasswordList) &&
        event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        if (watched == msgMSFlexGrid)
            cmdExport_Click();
        else if (const QString password = SelectedPassword(); !password.isEmpty())
            clipboardExport.Export(password);
        return true;
    }
    if (watched == txtText && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            txtText_KeyDown();
            return true;
        }
    }
    // The box's own context menu takes the focus for a moment without ending the edit.
    if (watched == txtText && event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
        txtText_LostFocus();
    return QMainWindow::eventFilter(watched, event);
}
