#pragma once

// The control as Designer builds it into a form it edits or previews.

#include <tessaro/Tessaro.h>

namespace tessaro::designer {

/// A tessaro::Tessaro (same class name, properties and look) that never writes the per-user
/// settings kept under the control's name, neither when the list loses the focus nor when it is
/// destroyed. A form in Designer carries the name its control will have in the host, so
/// otherwise closing a form or its preview would overwrite what the host's users last chose for
/// that control.
///
/// It declares no meta-object of its own: Designer and qobject_cast see tessaro::Tessaro.
class DesignTimeTessaro : public Tessaro {
public:
    explicit DesignTimeTessaro(QWidget* parent = nullptr);
    ~DesignTimeTessaro() override;
    DesignTimeTessaro(const DesignTimeTessaro&) = delete;
    DesignTimeTessaro& operator=(const DesignTimeTessaro&) = delete;
};

} // namespace tessaro::designer
