#pragma once
// The registry layer's conversions, run against whichever backend the build provides:
// natively the in-memory registry, under Wine the real one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/RegistryBackend.h"
#include "settings/pell_REG.h"

namespace orv::testing {

// The key under which a test writes; the fixture removes it afterwards.
std::u16string RegistryTestKey();
platform::RegistryBackend& RegistryTestBackend();

class RegistryLayer : public ::testing::Test {
protected:
    void SetUp() override {
        key_ = RegistryTestKey();
        Reg_Configure(false, &RegistryTestBackend());
        Reg_DeleteKey(RegRoot::LocalMachine, key_);
    }
    void TearDown() override {
        Reg_DeleteKey(RegRoot::LocalMachine, key_);
        Reg_Configure(false, nullptr);
    }
    void Put(const std::u16string& name, uint32_t type, std::vector<uint8_t> bytes) {
        ASSERT_TRUE(RegistryTestBackend().SetValue(RegRoot::LocalMachine, key_, name, 0, type,
                                                   bytes.data(), bytes.size()));
    }
    std::u16string key_;
};

}  // namespace orv::testing
