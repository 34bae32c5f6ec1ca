#pragma once

#include "clipboard/ClipboardExport.h"
#include "core/CutBuffer.h"
#include "core/TableCatalogue.h"
#include "gui/StoreView.h"

#include <QMainWindow>
#include <QStringListModel>

class FlexGrid;
class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;
class QTabWidget;

// The main window: the menus and, inside the two tabs, every view of the open store and the
// password generator. It owns the open store, the cut buffer and its controls; others reach
// them only through its verbs and handlers. Controls carry the names that tests and tools
// look them up by.
class frmKetterby : public QMainWindow, public StoreView {
    Q_OBJECT

  public:
    // When the controls are made: at once, or by start-up once the account dialog is on screen.
    enum class Controls { Now, AfterAccountDialog };
    explicit frmKetterby(Controls controls = Controls::Now);
    // Start-up: ask for an account before the window is first shown.
    void Form_Load();

    void CloseStore() override;
    void ShowStore(std::unique_ptr<Session> opened) override;

    void mnuFileLogout_Click();
    void mnuFileExit_Click();
    void mnuAccountsAccountSetup_Click();
    void mnuHelpContents_Click();
    void mnuHelpAbout_Click();
    void cmbCurrentTable_Click();
    void cmdAdd_Click();
    void cmdRemove_Click();
    void cmdRename_Click();
    void cmdNew_Click();
    void cmdDelete_Click();
    void cmdEdit_Click();
    void cmdCut_Click();
    void cmdPaste_Click();
    void cmdExport_Click();
    void txtText_KeyDown();
    void txtText_LostFocus();

    ClipboardExport clipboardExport;

    // The generator's settings; the option handlers and the length selector change them.
    QString PasswordType;
    QString PasswordCase;
    qint16 PasswordLength = 0;
    quint8 PasswordCount = 0;

    void optLetters_Click();
    void optNumbers_Click();
    void optLettersNumbers_Click();
    void optLowerCase_Click();
    void optUpperCase_Click();
    void optLowerUpperCase_Click();
    void cmbPasswordLength_Click();
    void cmdGenerate_Click();
    void cmdInsert_Click();

    // The text of the selected generated password; empty when none is selected.
    QString SelectedPassword() const;

    // The table shown in the entry grid: "Default" after every log-in and log-out.
    QString CurrentTable = DefaultTable;

  protected:
    // Form_Unload: the store is closed whichever way the window goes.
    void closeEvent(QCloseEvent* event) override;
    // Enter and the loss of focus in the edit box; a keyboard copy in the grid or the list.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Makes the controls, centres the window and gives it the logged-out look; once only.
    void MakeControls();
    void BuildPasswordsTab(QWidget* tab, int stripTwips);
    void BuildGeneratorTab(QWidget* tab, int stripTwips);
    void BuildMenus();
    void ConnectGenerator();
    void SetGeneratorDefaults();
    void GiveMenuTitlesTheirAccessKeys();
    void HideEditBox();

    // Switches between the logged-in (true) and logged-out looks.
    void EnableControls(bool enabled);
    // Enables or disables the three letter-case options; their selection stays as it is.
    void EnableCaseOptions(bool enabled);
    void RefillGrid();
    // After an entry command no row is selected.
    void ShowHeaderCorner();
    QString AskForTableName(const QString& prompt);
    // After a table command: when it changed the current table, the chooser and the grid show
    // the new one; the list selects "Default" again.
    void ShowCurrentTable(const QString& shownBefore);
    void ShowInChooser(const QString& table);
    void ForgetTable(const QString& name);
    void AppendTableName(const QString& name);
    void SelectDefaultInList();

    // The logged-in store, or none while logged out.
    std::unique_ptr<Session> session;
    // The entry last cut, kept across log-outs and log-ins.
    CutBuffer cutBuffer;
    // The table names, shown by both cmbCurrentTable and TablesList.
    QStringListModel tableNames;

    QTabWidget* SSTab1 = nullptr;
    FlexGrid* msgMSFlexGrid;
    QLineEdit* txtText;
    QGroupBox* Frame3;
    QPushButton* cmdNew;
    QPushButton* cmdDelete;
    QPushButton* cmdEdit;
    QPushButton* cmdInsert;
    QPushButton* cmdCut;
    QPushButton* cmdPaste;
    QPushButton* cmdExport;
    QComboBox* cmbCurrentTable;
    QGroupBox* Frame1;
    QListView* TablesList;
    QPushButton* cmdAdd;
    QPushButton* cmdRemove;
    QPushButton* cmdRename;
    QGroupBox* frmProperties1;
    QGroupBox* Frame4;
    QRadioButton* optLetters;
    QRadioButton* optNumbers;
    QRadioButton* optLettersNumbers;
    QGroupBox* Frame5;
    QRadioButton* optLowerCase;
    QRadioButton* optUpperCase;
    QRadioButton* optLowerUpperCase;
    QGroupBox* frmProperties2;
    QLabel* lblPWLength;
    QComboBox* cmbPasswordLength;
    QGroupBox* Frame6;
    QPushButton* cmdGenerate;
    QGroupBox* Frame2;
    QListWidget* PasswordList;

    QMenu* mnuFile;
    QMenu* mnuCommands;
    QAction* mnuFileLogout;
    QAction* mnuSeparator1;
    QAction* mnuFileExit;
    QAction* mnuCommandsNew;
    QAction* mnuCommandsDelete;
    QAction* mnuCommandsEdit;
    QAction* mnuCommandsInsert;
    QAction* mnuCommandsCut;
    QAction* mnuCommandsPaste;
    QAction* mnuCommandsExport;
    QMenu* mnuAccounts;
    QAction* mnuAccountsAccountSetup;
    QMenu* mnuHelp;
    QAction* mnuHelpContents;
    QAction* mnuSeparator2;
    QAction* mnuHelpAbout;
};
