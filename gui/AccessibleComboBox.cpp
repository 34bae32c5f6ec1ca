// The accessible interface of the program's combo boxes: named by their names.
#include "gui/AccessibleComboBox.h"

#include <QAccessibleWidget>
#include <QComboBox>

namespace {

class AccessibleComboBox : public QAccessibleWidget {
  public:
    explicit AccessibleComboBox(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value)
            return Box()->currentText();
        return QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override {
        return QAccessibleWidget::actionNames() << showMenuAction();
    }
    void doAction(const QString& action) override {
        if (action == showMenuAction())
            Box()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

  private:
    QComboBox* Box() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* MakeAccessibleComboBox(const QString&, QObject* object) {
    auto* box = qobject_cast<QComboBox*>(object);
    return box ? new AccessibleComboBox(box) : nullptr;
}

} // namespace

void InstallAccessibleComboBoxes() {
    static const bool installed = [] {
        QAccessible::installFactory(MakeAccessibleComboBox);
        return true;
    }();
    Q_UNUSED(installed);
}
