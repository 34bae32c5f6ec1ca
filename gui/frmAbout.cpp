// The about box.
#include "gui/frmAbout.h"

#include "gui/FontLayout.h"
#include "gui/FormControls.h"
#include "gui/MessageBoxes.h"

#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

using FormControls::Make;
using MessageBoxes::ApplicationTitle;

namespace {

constexpr int IconSize = 64;
constexpr double TitleScale = 1.8;

const QString Disclaimer = QStringLiteral(
    "Separate accounts for each user keep user names and passwords at hand, so nobody has to "
    "remember them all. Ketterby generates new passwords and saves typing the same details "
    "again and again.");

} // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName("frmAbout");
    setModal(true);

    picIcon = Make<QLabel>("picIcon", this);
    picIcon->setAccessibleName(ApplicationTitle);
    lblTitle = Make<QLabel>("lblTitle", this);
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * TitleScale);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    lblDescription = Make<QLabel>("lblDescription", this);
    lblDisclaimer = Make<QLabel>("lblDisclaimer", this, Disclaimer);
    lblDisclaimer->setWordWrap(true);
    cmdOK = Make<QPushButton>("cmdOK", this, "OK");
    // Enter presses the default button; Esc closes the box as OK does.
    cmdOK->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(picIcon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(lblTitle, 0, 1);
    grid->addWidget(lblDescription, 1, 1);
    grid->addWidget(lblDisclaimer, 2, 0, 1, 2);
    grid->addWidget(cmdOK, 3, 1, Qt::AlignRight);
    grid->setColumnMinimumWidth(1, FontLayout::Twips(this).X(4500));

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    Form_Load();
}

void frmAbout::Form_Load() {
    setWindowTitle("About " + ApplicationTitle);
    lblTitle->setText(ApplicationTitle);
    lblDescription->setText("Product name: " + ApplicationTitle + " v" KETTERBY_VERSION);
    picIcon->setPixmap(ProgramIcon().pixmap(IconSize));
}

// The icon comes in the sizes a window icon is made of, each read as PNG outright: a reader left
// to find out the format itself first loads every image format plugin, and Qt's SVG library
// with them, which costs a megabyte and milliseconds at start-up.
QIcon frmAbout::ProgramIcon() {
    QIcon icon;
    for (const int size : {16, 32, 64, 128}) {
        QImageReader reader(QString(":/icons/ketterby-%1.png").arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    return icon;
}

void frmAbout::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FontLayout::CenterOnScreen(this);
}

void frmAbout::cmdOK_Click() {
    accept();
}
