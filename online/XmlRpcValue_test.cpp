#include <gtest/gtest.h>

#include "online/XmlRpcException.h"
#include "online/XmlRpcValue.h"

namespace {
std::string ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const XmlRpcException& error) {
        return error.Message();
    }
    return "no error";
}
} // namespace

TEST(XmlRpcValueTest, TypedAccessTakesTheKindOfAnEmptyValueOnly)
{
    XmlRpcValue value;
    EXPECT_EQ(value.AsString(), "");
    EXPECT_EQ(value.GetKind(), XmlRpcValue::KindString);
    value.AsString() = "kept";
    EXPECT_EQ(value.AsString(), "kept");
    EXPECT_EQ(ErrorOf([&] { value.AsInt(); }), "type error");
    EXPECT_EQ(value.AsString(), "kept");

    XmlRpcValue nil = XmlRpcValue::MakeNil();
    nil.AsDateTime().tm_year = 2026;
    EXPECT_EQ(nil.GetKind(), XmlRpcValue::KindDateTime);
    EXPECT_EQ(nil.AsDateTime().tm_mon, 0);

    const XmlRpcValue constant;
    EXPECT_EQ(ErrorOf([&] { constant.AsBool(); }), "type error");
    EXPECT_EQ(ErrorOf([&] { XmlRpcValue(5).Size(); }), "type error");
}

TEST(XmlRpcValueTest, ArraysGrowAndCheckTheirBounds)
{
    XmlRpcValue array;
    array[2] = 7;
    EXPECT_EQ(array.GetKind(), XmlRpcValue::KindArray);
    EXPECT_EQ(array.Size(), 3);
    EXPECT_FALSE(array[0].IsValid());
    EXPECT_GE(array.AsArray().capacity(), 4u);
    array[9] = "ten";
    EXPECT_EQ(array.Size(), 10);
    EXPECT_GE(array.AsArray().capacity(), 16u);
    EXPECT_EQ(array[2].AsInt(), 7);

    EXPECT_EQ(ErrorOf([&] { array[-1]; }), "range error: negative array index");
    EXPECT_EQ(array.Size(), 10);

    const XmlRpcValue& constant = array;
    EXPECT_EQ(ErrorOf([&] { constant[10]; }), "range error: array index too large");
    EXPECT_EQ(ErrorOf([&] { constant[-1]; }), "range error: array index too large");
    EXPECT_EQ(ErrorOf([&] { XmlRpcValue("text")[0]; }), "type error: expected an array");
    const XmlRpcValue notArray(true);
    EXPECT_EQ(ErrorOf([&] { notArray[0]; }), "type error: expected an array");
}

TEST(XmlRpcValueTest, StructMembersAreAddedOnAccess)
{
    XmlRpcValue members;
    EXPECT_FALSE(members.HasMember("a"));
    members["b"] = 2;
    members["a"] = "one";
    EXPECT_TRUE(members.HasMember("a"));
    EXPECT_FALSE(members["c"].IsValid());
    EXPECT_EQ(members.Size(), 3);
    EXPECT_EQ(members.AsStruct().begin()->first, "a");
    EXPECT_EQ(ErrorOf([&] { XmlRpcValue(1)["a"]; }), "type error: expected a struct");
    XmlRpcValue nil = XmlRpcValue::MakeNil();
    EXPECT_EQ(ErrorOf([&] { nil["a"]; }), "type error: expected a struct");
}

TEST(XmlRpcValueTest, CopiesAreDeepAndEqualityComparesContent)
{
    XmlRpcValue original;
    original["list"][0] = "first";
    original["list"][1].AsBytes() = {1, 2, 3};
    original["when"].AsDateTime().tm_year = 2026;

    XmlRpcValue copy = original;
    EXPECT_EQ(copy, original);
    copy["list"][0].AsString() += "!";
    copy["list"][1].AsBytes().push_back(4);
    EXPECT_EQ(original["list"][0].AsString(), "first");
    EXPECT_EQ(original["list"][1].Size(), 3);
    EXPECT_NE(copy, original);

    XmlRpcValue moved = std::move(copy);
    EXPECT_FALSE(copy.IsValid());
    copy = moved;
    EXPECT_EQ(copy, moved);

    // A date compares by its calendar fields only.
    XmlRpcValue a, b;
    a.AsDateTime().tm_isdst = -1;
    b.AsDateTime().tm_isdst = 0;
    EXPECT_EQ(a, b);
    b.AsDateTime().tm_sec = 1;
    EXPECT_NE(a, b);

    EXPECT_NE(XmlRpcValue(1), XmlRpcValue(true));
    EXPECT_EQ(XmlRpcValue::MakeNil(), XmlRpcValue::MakeNil());
    original.Clear();
    EXPECT_FALSE(original.IsValid());
}
