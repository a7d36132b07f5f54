#include "value_encoding.hpp"

#include "magic_block.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace vantor {
namespace {

struct EncodingCase {
    int value;
    const char* name;
    std::int64_t min;
    std::int64_t max;
};

TEST(ValueEncodingTest, NamesAndRangesOfTheEncodingOfEachValue) {
    const EncodingCase cases[] = {{1, "biased byte", -151, 104},
                                  {33, "biased byte", -151, 104},
                                  {35, "plain byte", 0, 255},
                                  {73, "unsigned 16-bit", 0, 65535},
                                  {25, "signed 32-bit", INT32_MIN, INT32_MAX},
                                  {130, "unsigned 16-bit", 0, 65535}};
    for (const EncodingCase& c : cases) {
        const ValueEncoding encoding = valueSlot(c.value).encoding;
        EXPECT_EQ(encodingName(encoding), c.name) << c.value;
        EXPECT_EQ(rangeOf(encoding).min, c.min) << c.value;
        EXPECT_EQ(rangeOf(encoding).max, c.max) << c.value;
        EXPECT_TRUE(rangeOf(encoding).contains(c.min));
        EXPECT_FALSE(rangeOf(encoding).contains(c.min - 1));
        EXPECT_FALSE(rangeOf(encoding).contains(c.max + 1));
    }
}

// storedValue must say exactly what a block gives back, or a check would name the wrong value.
TEST(ValueEncodingTest, StoredValueIsWhatTheBlockReadsBack) {
    const int oneOfEach[] = {1, 35, 40, 25};
    const std::int32_t values[] = {-152, -151,  104,   105,   120,       255,      256,
                                   -1,   65535, 65536, 70000, INT32_MIN, INT32_MAX};
    MagicBlock block(std::vector<std::uint8_t>(ValueAreaSize, 0));
    for (int k : oneOfEach) {
        for (std::int32_t v : values) {
            block.setValue(k, v);
            EXPECT_EQ(storedValue(valueSlot(k).encoding, v), block.value(k)) << "value " << k << " = " << v;
        }
    }
    EXPECT_EQ(storedValue(ValueEncoding::BiasedByte, 120), -136);
}

} // namespace
} // namespace vantor
