#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

// Runs as an unprivileged user (nobody) for a scope, so that file permissions hold for a test
// run by root.
class Unprivileged {
  public:
    Unprivileged() : root_(::geteuid() == 0) {
        if (root_) {
            EXPECT_EQ(::seteuid(65534), 0);
        }
    }
    ~Unprivileged() {
        if (root_) {
            EXPECT_EQ(::seteuid(0), 0);
        }
    }
    Unprivileged(const Unprivileged&) = delete;
    Unprivileged& operator=(const Unprivileged&) = delete;

  private:
    bool root_;
};
