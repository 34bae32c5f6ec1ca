#pragma once

#include <QDialog>
#include <QIcon>

class QLabel;
class QPushButton;

// The about box: the program's name, version, purpose and icon. OK closes it on Enter and on
// Esc alike.
class frmAbout : public QDialog {
    Q_OBJECT

  public:
    explicit frmAbout(QWidget* parent = nullptr);

    // The program's icon, which every window shows and the box pictures.
    static QIcon ProgramIcon();

    QLabel* lblTitle;
    QLabel* lblDescription;
    QLabel* lblDisclaimer;
    QLabel* picIcon;
    QPushButton* cmdOK;

    void cmdOK_Click();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // The caption and the labels; the box centres itself when shown, once its size is known.
    void Form_Load();
};
