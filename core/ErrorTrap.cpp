#include "app/ErrorTrap.h"

#include "app/MessageBoxes.h"

void ReportFailure(const QString& procedure, const Failure& failure) {
    MessageBoxes::Show("Error [" + procedure + "]: " + QString::number(failure.number) +
                           MessageBoxes::LineBreak + failure.description,
                       MessageBoxes::Icon::Critical);
}
