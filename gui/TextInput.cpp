// The text input rules: the quote filter.
#include "gui/TextInput.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QObject>

namespace TextInput {
namespace {

constexpr int Apostrophe = 39;
constexpr int DoubleQuote = 34;

class QuoteFilter final : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const QString typed = static_cast<QKeyEvent*>(event)->text();
        for (const QChar character : typed) {
            int keyAscii = character.unicode();
            FilterQuotes(keyAscii);
            if (keyAscii == 0)
                return true;
        }
        return false;
    }
};

} // namespace

void FilterQuotes(int& keyAscii) {
    if (keyAscii == Apostrophe || keyAscii == DoubleQuote)
        keyAscii = 0;
}

void InstallQuoteFilter(QLineEdit* box) {
    box->installEventFilter(new QuoteFilter(box));
}

} // namespace TextInput
