#pragma once
// The start of every test of the main window: one application, the settings
// in a folder of the test's own, the shipped data files.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "GuiTestSupport.h"
#include "core/common/Files.h"

namespace varnel {

class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        ASSERT_TRUE(folder_.isValid());
        UseSettingsFolder(folder_.path());
        SetProgramFolder(VARNEL_SOURCE_DATA);
    }
    QTemporaryDir folder_;
};

}  // namespace varnel
