#include "core/menu/MenuLog.h"

#include "core/app/ProgramState.h"

#include <algorithm>

namespace ortolino {

void apriIntestazione(ProgramState& state, const QString& titolo)
{
    int row = std::clamp(state.NumeroRigheRegistro, 0, kRigheRegistro - 1);
    const RigaRegistro& inUse = state.Registro[static_cast<size_t>(row)];
    if (std::any_of(inUse.begin(), inUse.end(),
                    [](const QString& cell) { return !cell.isEmpty(); })) {
        if (row == kRigheRegistro - 1)
            return;
        ++row;
    }
    state.NumeroRigheRegistro = row;
    state.Registro[static_cast<size_t>(row)] = RigaRegistro{titolo, QString(), QString()};
}

} // namespace ortolino
