#include "framework/rtl/List.h"
#include "framework/rtl/ClassInfo.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/ObjectList.h"

#include <gtest/gtest.h>

#include <functional>

using namespace dw;

namespace {

int Values[8] = {0, 1, 2, 3, 4, 5, 6, 7};
void* P(int i) {
    return &Values[i];
}

// The list's items as their numbers, "0 2 1".
String Numbers(const TList& list) {
    String out;
    for (void* p : list) out += (out.empty() ? "" : " ") + IntToStr(static_cast<int*>(p) - Values);
    return out;
}

TList& Fill(TList& list, int count) {
    for (int i = 0; i < count; ++i) list.Add(P(i));
    return list;
}

class TLoggingList : public TList {
public:
    String Log;

protected:
    void Notify(void* item, TListNotification action) override {
        static const char* names[] = {"added", "extracted", "deleted"};
        Log += Format("%s %d;", names[action], static_cast<int>(static_cast<int*>(item) - Values));
    }
};

// Records its own freeing in a shared log.
class TTracked : public TObject {
    DW_CLASS(TTracked, TObject)
    TTracked(String name, String* log) : FName(std::move(name)), FLog(log) {}
    ~TTracked() override { *FLog += FName + ";"; }
    const String& Name() const { return FName; }

private:
    String FName;
    String* FLog;
};

class TTrackedChild : public TTracked {
    DW_CLASS(TTrackedChild, TTracked)
    using TTracked::TTracked;
};

// Takes itself out of a list while being freed, as registered objects do.
class TSelfRemoving : public TObject {
    DW_CLASS(TSelfRemoving, TObject)
    explicit TSelfRemoving(TObjectList* list) : FList(list) {}
    void BeforeDestruction() override {
        FList->Remove(this);
        TObject::BeforeDestruction();
    }

private:
    TObjectList* FList;
};

} // namespace

DW_DEFINE_CLASS(TTracked) {}
DW_DEFINE_CLASS(TTrackedChild) {}
DW_DEFINE_CLASS(TSelfRemoving) {}

TEST(List, AddInsertDeleteRemoveKeepOrder) {
    TList list;
    Fill(list, 3);
    list.Insert(1, P(5));
    list.Insert(4, P(6)); // at Count: appends
    EXPECT_EQ(Numbers(list), "0 5 1 2 6");
    list.Delete(0);
    EXPECT_EQ(list.Remove(P(2)), 2);
    EXPECT_EQ(list.Remove(P(7)), -1);
    EXPECT_EQ(Numbers(list), "5 1 6");
    EXPECT_EQ(list.IndexOf(P(6)), 2);
    EXPECT_EQ(list.First(), P(5));
    EXPECT_EQ(list.Last(), P(6));
    EXPECT_EQ(list.Extract(P(1)), P(1));
    EXPECT_EQ(list.Extract(P(1)), nullptr);
    EXPECT_EQ(Numbers(list), "5 6");
}

TEST(List, IndexOutOfBoundsRaisesNamingTheIndex) {
    struct Case {
        const char* what;
        std::function<void(TList&)> call;
        int index;
    } cases[] = {
        {"Items(-1)", [](TList& l) { l.Items(-1); }, -1},
        {"Items(Count)", [](TList& l) { l.Items(3); }, 3},
        {"SetItems", [](TList& l) { l.SetItems(3, nullptr); }, 3},
        {"Delete", [](TList& l) { l.Delete(3); }, 3},
        {"Insert past Count", [](TList& l) { l.Insert(4, P(0)); }, 4},
        {"Exchange", [](TList& l) { l.Exchange(0, -1); }, -1},
        {"Move to", [](TList& l) { l.Move(0, 3); }, 3},
        {"Move from", [](TList& l) { l.Move(5, 0); }, 5},
    };
    for (auto& c : cases) {
        TList list;
        Fill(list, 3);
        try {
            c.call(list);
            ADD_FAILURE() << c.what << " did not raise";
        } catch (const EListError& e) {
            EXPECT_EQ(e.Message(), Format("List index out of bounds (%d)", c.index)) << c.what;
        }
        EXPECT_EQ(Numbers(list), "0 1 2") << c.what << " changed the list";
    }
    TList empty;
    EXPECT_THROW(empty.First(), EListError);
    EXPECT_THROW(empty.Last(), EListError);
}

TEST(List, MoveExchangeAndStableSort) {
    TList list;
    Fill(list, 5);
    list.Move(0, 4);
    EXPECT_EQ(Numbers(list), "1 2 3 4 0");
    list.Move(4, 1);
    EXPECT_EQ(Numbers(list), "1 0 2 3 4");
    list.Exchange(0, 4);
    EXPECT_EQ(Numbers(list), "4 0 2 3 1");
    // Even numbers first; equal keys keep their order.
    list.Sort([](void* a, void* b) { return (*static_cast<int*>(a) % 2) - (*static_cast<int*>(b) % 2); });
    EXPECT_EQ(Numbers(list), "4 0 2 3 1");
    list.Sort([](void* a, void* b) { return *static_cast<int*>(a) - *static_cast<int*>(b); });
    EXPECT_EQ(Numbers(list), "0 1 2 3 4");
}

TEST(List, CountAndCapacity) {
    TList list;
    Fill(list, 3);
    EXPECT_THROW(list.SetCapacity(2), EListError);
    list.SetCapacity(100);
    EXPECT_GE(list.Capacity(), 100);
    list.SetCount(5);
    EXPECT_EQ(list.Items(4), nullptr);
    list.Pack();
    EXPECT_EQ(Numbers(list), "0 1 2");
    list.SetCount(1);
    EXPECT_EQ(Numbers(list), "0");
    EXPECT_THROW(list.SetCount(-1), EListError);
}

TEST(List, NotifyHearsEveryItemEnteringAndLeaving) {
    TLoggingList list;
    list.Add(P(1));
    list.Insert(0, P(2));
    list.Add(nullptr); // null pointers are not items anyone needs to hear about
    list.SetItems(0, P(3));
    list.Extract(P(1));
    list.Remove(P(3));
    list.Add(P(4));
    list.Add(P(5));
    list.SetCount(2);
    list.Clear();
    EXPECT_EQ(list.Log, "added 1;added 2;deleted 2;added 3;extracted 1;deleted 3;added 4;added 5;deleted 5;deleted 4;");
}

TEST(ObjectList, OwningListFreesWhatLeavesExceptExtracted) {
    String log;
    {
        TObjectList list;
        for (const char* name : {"a", "b", "c", "d", "e", "f"}) list.Add(new TTracked(name, &log));
        list.Delete(0);
        EXPECT_EQ(log, "a;");
        list.Remove(list.Items(0));
        EXPECT_EQ(log, "a;b;");
        list.SetItems(0, new TTracked("g", &log));
        EXPECT_EQ(log, "a;b;c;");
        TObject* d = list.Extract(list.Items(1));
        EXPECT_EQ(log, "a;b;c;");
        EXPECT_EQ(list.Count(), 3);
        d->Free();
        EXPECT_EQ(log, "a;b;c;d;");
        list.Delete(2);
        EXPECT_EQ(log, "a;b;c;d;f;");
    }
    // The rest goes with the list, last first.
    EXPECT_EQ(log, "a;b;c;d;f;e;g;");
}

TEST(ObjectList, ListThatDoesNotOwnFreesNothing) {
    String log;
    TTracked a("a", &log), b("b", &log);
    {
        TObjectList list(false);
        list.Add(&a);
        list.Add(&b);
        list.Delete(0);
        list.Clear();
        list.Add(&a);
    }
    EXPECT_EQ(log, "");
}

TEST(ObjectList, ObjectMayRemoveItselfWhileTheListFreesIt) {
    TObjectList list;
    for (int i = 0; i < 3; ++i) list.Add(new TSelfRemoving(&list));
    list.Delete(1);
    EXPECT_EQ(list.Count(), 2);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(ObjectList, TypedListAndFindInstanceOf) {
    String log;
    TObjectListOf<TTracked> list;
    list.Add(new TTracked("b", &log));
    list.Add(new TTrackedChild("a", &log));
    list.Add(new TTracked("c", &log));
    EXPECT_EQ(list.FindInstanceOf(TTrackedChild::StaticClass()), 1);
    EXPECT_EQ(list.FindInstanceOf(TTracked::StaticClass(), true, 1), 2);
    EXPECT_EQ(list.FindInstanceOf(TTracked::StaticClass(), false, 1), 1);
    EXPECT_EQ(list.FindInstanceOf(TSelfRemoving::StaticClass(), false), -1);
    list.Sort([](TTracked* x, TTracked* y) { return CompareText(x->Name(), y->Name()); });
    EXPECT_EQ(list.First()->Name(), "a");
    EXPECT_EQ(list[1]->Name(), "b");
    EXPECT_EQ(list.Last()->Name(), "c");
}
