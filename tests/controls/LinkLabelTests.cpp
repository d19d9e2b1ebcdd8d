#include "controls/LinkLabel.h"

#include <gmock/gmock.h>

namespace {

struct AddressCase {
    const char* name;
    std::string address;
};

class LinkLabelText : public ::testing::TestWithParam<AddressCase> {};

TEST_P(LinkLabelText, ShowsTheAddressExactlyAsPlainText) {
    CLinkLabel label;
    label.SetAddress(GetParam().address);
    EXPECT_EQ(label.Address(), GetParam().address);
    EXPECT_EQ(label.text().toStdString(), GetParam().address);
    EXPECT_EQ(label.textFormat(), Qt::PlainText);
}

INSTANTIATE_TEST_SUITE_P(Addresses, LinkLabelText,
                         ::testing::Values(AddressCase{"Plain", "http://www.corvalen.com/"},
                                           AddressCase{"WithPort", "http://127.0.0.1:8080/"},
                                           AddressCase{"Markup", "http://x/?a=<b>&c=d"},
                                           AddressCase{"Empty", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LinkLabel, CentredVerticallyOnTheWindowsBackground) {
    CLinkLabel label;
    EXPECT_TRUE(label.alignment() & Qt::AlignVCenter);
    EXPECT_FALSE(label.autoFillBackground());
}

} // namespace
