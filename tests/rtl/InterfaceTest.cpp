#include "framework/rtl/Interface.h"
#include "framework/rtl/Exceptions.h"

#include <gtest/gtest.h>

using namespace dw;

TEST(Interface, GuidTextRoundTripsAndRejectsMalformedText) {
    constexpr TGUID g = TGUID::Parse("{E8C9F739-5601-4ADD-9D95-594132D4CEFD}");
    static_assert(g.D1 == 0xE8C9F739u && g.D2 == 0x5601 && g.D3 == 0x4ADD && g.D4[0] == 0x9D && g.D4[7] == 0xFD);
    EXPECT_EQ(g.ToString(), "{E8C9F739-5601-4ADD-9D95-594132D4CEFD}");
    EXPECT_EQ(TGUID::Parse("{e8c9f739-5601-4add-9d95-594132d4cefd}"), g);
    for (const char* bad : {"", "E8C9F739-5601-4ADD-9D95-594132D4CEFD", "{E8C9F739-5601-4ADD-9D95-594132D4CEFG}",
                            "{E8C9F739+5601-4ADD-9D95-594132D4CEFD}", "{E8C9F739-5601-4ADD-9D95-594132D4CEF}"})
        EXPECT_THROW(TGUID::Parse(bad), EConvertError) << bad;
}

namespace {
class IThing : public IInterface {
public:
    static constexpr TGUID IID = TGUID::Parse("{11111111-2222-3333-4444-555555555555}");
    virtual int Answer() = 0;
};
class TThing final : public IThing {
public:
    HRESULT QueryInterface(const TGUID& iid, void** obj) override {
        *obj = iid == IID || iid == IInterface::IID ? static_cast<IThing*>(this) : nullptr;
        return *obj ? S_OK : E_NOINTERFACE;
    }
    int AddRef() override { return -1; }
    int Release() override { return -1; }
    int Answer() override { return 42; }
};
class IOther : public IInterface {
public:
    static constexpr TGUID IID = TGUID::Parse("{99999999-2222-3333-4444-555555555555}");
};
} // namespace

TEST(Interface, QueryIntfAnswersOnlySupportedInterfaces) {
    TThing thing;
    IInterface* obj = &thing;
    ASSERT_NE(QueryIntf<IThing>(obj), nullptr);
    EXPECT_EQ(QueryIntf<IThing>(obj)->Answer(), 42);
    EXPECT_EQ(QueryIntf<IOther>(obj), nullptr);
    EXPECT_EQ(QueryIntf<IThing>(nullptr), nullptr);
}
