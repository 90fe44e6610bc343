#include "core/device/access_help.h"

#include <gtest/gtest.h>

namespace {

TEST(AccessHelp, TheRulesPathSurvivesTheShell) {
    EXPECT_EQ(kw::accessRuleCommands("/opt/key weave/it's/70-keyweave.rules"),
              "sudo cp '/opt/key weave/it'\\''s/70-keyweave.rules' /etc/udev/rules.d/\n"
              "sudo udevadm control --reload\n"
              "sudo udevadm trigger");
}

} // namespace
