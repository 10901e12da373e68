#pragma once
// Shared helpers of the test executables and benchmarks.
