#pragma once

#include <QMainWindow>

class FlexGrid;
class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;
class QTabWidget;

// The main window: the menus and, inside the two tabs, every view of the open store and the
// password generator. Controls carry the names that tests and tools look them up by.
class frmKetterby : public QMainWindow {
    Q_OBJECT

  public:
    frmKetterby();
    ~frmKetterby() override;

    // The one main window, or none before it is made and after it is gone.
    static frmKetterby* Instance();

    // Start-up: centre, log out, then ask for an account before the window is first shown.
    void Form_Load();

    QTabWidget* SSTab1;
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
    QListWidget* TablesList;
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
    QAction* mnuFileLogout;
    QAction* mnuSeparator1;
    QAction* mnuFileExit;
    QMenu* mnuCommands;
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

    void mnuFileLogout_Click();
    void mnuFileExit_Click();
    void mnuAccountsAccountSetup_Click();
    void cmbCurrentTable_Click();
    void cmdAdd_Click();
    void cmdRemove_Click();
    void cmdRename_Click();

  protected:
    // Form_Unload: the store is closed whichever way the window goes.
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildPasswordsTab(QWidget* tab, int stripTwips);
    void BuildGeneratorTab(QWidget* tab, int stripTwips);
    void BuildMenus();
};
