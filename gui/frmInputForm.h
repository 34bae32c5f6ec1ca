#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QPushButton;

// The prompt handed to the input dialog and the answer read back; empty when the user gave
// no answer.
inline QString InputPrompt;
inline QString InputResult;

// Asks for one line of at most 50 characters, titled with InputPrompt.
class frmInputForm : public QDialog {
    Q_OBJECT

  public:
    explicit frmInputForm(QWidget* parent = nullptr);

    QLineEdit* txtText;
    QPushButton* cmdOK;

    void cmdOK_Click();

  protected:
    void showEvent(QShowEvent* event) override;
};

// Shows the input dialog with the prompt and returns the accepted answer, empty for none.
QString AskForInput(QWidget* parent, const QString& prompt);
