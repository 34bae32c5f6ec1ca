// The one-line input dialog.
#include "gui/frmInputForm.h"

#include "core/Entry.h"
#include "gui/Dialogs.h"
#include "gui/FontLayout.h"
#include "gui/MessageBoxes.h"
#include "gui/TextInput.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

frmInputForm::frmInputForm(QWidget* parent) : QDialog(parent) {
    setObjectName("frmInputForm");
    setWindowTitle(InputPrompt);
    setModal(true);
    txtText = new QLineEdit(this);
    txtText->setObjectName("txtText");
    txtText->setAccessibleName(InputPrompt);
    txtText->setMinimumWidth(FontLayout::Twips(this).X(3900));
    TextInput::InstallQuoteFilter(txtText);
    cmdOK = new QPushButton("&OK", this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(txtText);
    layout->addWidget(cmdOK);
    InputResult.clear();
    connect(cmdOK, &QPushButton::clicked, this, &frmInputForm::cmdOK_Click);
}

void frmInputForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FontLayout::CenterOnScreen(this);
}

void frmInputForm::cmdOK_Click() {
    const QString answer = TextInput::TrimBlanks(txtText->text());
    if (answer.size() <= EntrySchema::TableNameLimit) {
        InputResult = answer;
        accept();
        return;
    }
    MessageBoxes::Tell(TooLong(EntrySchema::TableNameLimit));
    txtText->clear();
    txtText->setFocus();
}

QString AskForInput(QWidget* parent, const QString& prompt) {
    InputPrompt = prompt;
    {
        frmInputForm input(parent);
        Dialogs::ShowModal(input);
    }
    InputPrompt.clear();
    return InputResult;
}
