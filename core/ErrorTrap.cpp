// Reports a failure under the name of the procedure it ended.
#include "core/ErrorTrap.h"

#include "core/MessageBoxes.h"

void ReportFailure(const QString& procedure, const Failure& failure) {
    MessageBoxes::Show("Error [" + procedure + "]: " + QString::number(failure.number) +
                           MessageBoxes::LineBreak + failure.description,
                       MessageBoxes::Icon::Critical);
}
