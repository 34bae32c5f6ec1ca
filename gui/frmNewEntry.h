#pragma once

#include <QDialog>
#include <QString>

class Session;

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The New Entry dialog: a user ID, a password and a description for an entry appended to the
// current table. The password starts as the generated password selected in the list. It is
// accepted once OK has stored the entry, or found the table full.
class frmNewEntry : public QDialog {
    Q_OBJECT

  public:
    // The entry goes into the table; the password box starts with the given password, the one
    // selected in the generator.
    frmNewEntry(const Session& session, const QString& table, const QString& password,
                QWidget* parent = nullptr);

    QGroupBox* Frame1;
    QLabel* Label1;
    QLineEdit* txtUser;
    QLabel* Label2;
    QLineEdit* txtPassword;
    QLabel* Label3;
    QLineEdit* txtDescription;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

    void cmdOK_Click();
    void cmdCancel_Click();

  protected:
    void showEvent(QShowEvent* event) override;
    // Esc means nothing here; only Cancel and the close box leave without storing.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    const Session& session;
    const QString table;
};
