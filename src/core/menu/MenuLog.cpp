#include "core/menu/MenuLog.h"

#include "core/app/ProgramState.h"

#include <algorithm>

namespace ortolino {

void apriIntestazione(ActivityLog& log, const QString& utente, const QString& titolo)
{
    log.belongTo(utente);
    int row = std::clamp(log.NumeroRigheRegistro, 0, kRigheRegistro - 1);
    const RigaRegistro& inUse = log.Registro[static_cast<size_t>(row)];
    if (std::any_of(inUse.begin(), inUse.end(),
                    [](const QString& cell) { return !cell.isEmpty(); })) {
        if (row == kRigheRegistro - 1)
            return;
        ++row;
    }
    log.NumeroRigheRegistro = row;
    log.Registro[static_cast<size_t>(row)] = RigaRegistro{titolo, QString(), QString()};
}

} // namespace ortolino
