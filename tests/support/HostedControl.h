#pragma once

#include "support/MessageBoxRecorder.h"
#include "support/TestDatabase.h"

#include <tessaro/Tessaro.h>

#include <QPointer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

namespace tessaro::test {

/// A control the test may tear down every way a host does: inside a shown, active host window
/// that deletes itself when closed (or shown as a window of its own), its remembered settings
/// kept in `folder`, every message box recorded in `boxes`. Whatever a test has not torn down
/// goes with the fixture.
class HostedControl : public ::testing::Test {
public:
    HostedControl();
    ~HostedControl() override;

    /// Makes a control over `query` (its settings under `application` forgotten first), lets
    /// `configure` set it up before Init_class, shows and activates its window and fills the list;
    /// fails the test when that showed a message.
    void open(const QString& query, bool paged, const char* application, bool ownWindow = false,
              const std::function<void(Tessaro&)>& configure = {});

    QWidget* child(const char* name) const;
    /// A left click on the child `name`, which must be shown.
    void click(const char* name) const;

    QTemporaryDir folder;
    TestDatabase database;
    MessageBoxRecorder boxes;
    QPointer<QWidget> window;
    QPointer<Tessaro> control;
};

} // namespace tessaro::test
