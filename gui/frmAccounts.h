#pragma once

#include "core/Outcome.h"
#include "core/Session.h"

#include <QDialog>

#include <memory>

class StoreView;

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

// The account dialog: log in, create an account, or rename and re-key one. Every action has the
// view close its store first; a log-in or creation opens the store and hands it to the view.
class frmAccounts : public QDialog {
    Q_OBJECT

  public:
    frmAccounts(StoreView& view, QWidget* parent = nullptr);

    QTabWidget* SSTab1;

    QFrame* Frame1;
    QLabel* Label1;
    QLineEdit* txtLoginUser;
    QLabel* Label2;
    QLineEdit* txtLoginPassword;
    QPushButton* cmdLoginPath;
    QLineEdit* txtLoginPath;
    QPushButton* cmdLogin;

    QFrame* Frame2;
    QLabel* Label3;
    QLineEdit* txtNewUser;
    QLabel* Label5;
    QLineEdit* txtNewPassword1;
    QLabel* Label4;
    QLineEdit* txtNewPassword2;
    QPushButton* cmdNewPath;
    QLineEdit* txtNewPath;
    QPushButton* cmdCreate;

    QFrame* Frame3;
    QLabel* Label6;
    QLineEdit* txtEditOldUser;
    QLabel* Label7;
    QLineEdit* txtEditOldPass;
    QLabel* Label11;
    QPushButton* cmdEditPath;
    QLineEdit* txtEditPath;
    QLabel* Label8;
    QLineEdit* txtEditNewUser;
    QLabel* Label9;
    QLineEdit* txtEditNewPass1;
    QLabel* Label10;
    QLineEdit* txtEditNewPass2;
    QPushButton* cmdUpdate;

    void SSTab1_Click(int tab);
    void cmdLogin_Click();
    void cmdCreate_Click();
    void cmdUpdate_Click();
    void cmdLoginPath_Click();
    void cmdNewPath_Click();
    void cmdEditPath_Click();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    StoreView& view;

    void CloseStore();
    bool ShowStore(Result<std::unique_ptr<Session>> opened);
    void BuildLoginTab(QWidget* tab);
    void BuildNewTab(QWidget* tab);
    void BuildEditTab(QWidget* tab);
    void PickFolderInto(const QString& procedure, QLineEdit* box, const QString& filter);
};
