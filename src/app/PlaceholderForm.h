#pragma once

#include "platform/Form.h"

namespace ortolino {

// Stands in for a window that is not built yet (the configuration, the
// activity report): it says so and leads back to the main menu. Replace its
// registration in registerWindows() when the real window arrives.
class PlaceholderForm : public Form
{
    Q_OBJECT
public:
    PlaceholderForm(const QString& name, Program& program, WindowManager& windows);

    void Form_Unload() override;
};

} // namespace ortolino
