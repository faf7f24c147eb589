#include "classlib/StringList.h"

#include <gtest/gtest.h>

#include <vector>

#include "classlib/Exception.h"

using namespace classlib;

namespace {

std::vector<std::wstring> Lines(const TStrings& list) {
  std::vector<std::wstring> out;
  for (int i = 0; i < list.Count(); ++i) out.push_back(list[i]);
  return out;
}

using V = std::vector<std::wstring>;

}  // namespace

TEST(StringList, AddInsertDeleteAndObjects) {
  TStringList list;
  TObject a, b;
  EXPECT_EQ(list.Add(L"one"), 0);
  EXPECT_EQ(list.AddObject(L"three", &b), 1);
  list.InsertObject(1, L"two", &a);
  list.Insert(3, L"four");
  EXPECT_EQ(Lines(list), (V{L"one", L"two", L"three", L"four"}));
  EXPECT_EQ(list.Objects(1), &a);
  EXPECT_EQ(list.Objects(2), &b);
  EXPECT_EQ(list.IndexOfObject(&b), 2);
  list.Delete(0);
  EXPECT_EQ(Lines(list), (V{L"two", L"three", L"four"}));
  list.SetStrings(0, L"2");
  EXPECT_EQ(list.Objects(0), &a);  // replacing the text keeps the object
  list.Exchange(0, 2);
  EXPECT_EQ(Lines(list), (V{L"four", L"three", L"2"}));
  list.Move(2, 0);
  EXPECT_EQ(Lines(list), (V{L"2", L"four", L"three"}));
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST(StringList, BadIndexesRaiseListErrorWithTheIndex) {
  TStringList list;
  list.Add(L"a");
  const auto message = [&](auto&& action) -> std::wstring {
    try {
      action();
    } catch (const EListError& e) {
      return e.Message();
    }
    return L"no error";
  };
  EXPECT_EQ(message([&] { (void)list[1]; }), L"List index out of bounds (1)");
  EXPECT_EQ(message([&] { (void)list.Strings(-1); }), L"List index out of bounds (-1)");
  EXPECT_EQ(message([&] { list.Delete(5); }), L"List index out of bounds (5)");
  EXPECT_EQ(message([&] { list.Insert(2, L"x"); }), L"List index out of bounds (2)");
  EXPECT_EQ(message([&] { list.SetObjects(1, nullptr); }), L"List index out of bounds (1)");
  EXPECT_EQ(message([&] { list.Exchange(0, 1); }), L"List index out of bounds (1)");
  EXPECT_EQ(list.Count(), 1);
}

TEST(StringList, IndexOfIgnoresCaseUnlessCaseSensitive) {
  TStringList list;
  list.SetText(L"Alpha\r\nЖук\r\nbeta");
  EXPECT_EQ(list.IndexOf(L"ALPHA"), 0);
  EXPECT_EQ(list.IndexOf(L"жук"), 1);
  EXPECT_EQ(list.IndexOf(L"gamma"), -1);
  list.SetCaseSensitive(true);
  EXPECT_EQ(list.IndexOf(L"ALPHA"), -1);
  EXPECT_EQ(list.IndexOf(L"Жук"), 1);
}

TEST(StringList, SortedListsKeepOrderAndHandleDuplicates) {
  TStringList list;
  list.SetSorted(true);
  for (const wchar_t* s : {L"pear", L"Apple", L"fig", L"apple"}) list.Add(s);
  EXPECT_EQ(Lines(list), (V{L"Apple", L"fig", L"pear"}));  // dupIgnore, case-insensitive
  int index = -1;
  EXPECT_TRUE(list.Find(L"FIG", index));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(list.Find(L"grape", index));
  EXPECT_EQ(index, 2);
  EXPECT_THROW(list.Insert(0, L"x"), EListError);
  EXPECT_THROW(list.SetStrings(0, L"x"), EListError);

  list.SetDuplicates(dupError);
  EXPECT_THROW(list.Add(L"PEAR"), EListError);
  list.SetDuplicates(dupAccept);
  EXPECT_EQ(list.Add(L"fig"), 1);
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(list.IndexOf(L"fig"), 1);

  TStringList unsorted;
  unsorted.SetCommaText(L"c,b,a,B");
  unsorted.SetCaseSensitive(true);
  unsorted.SetSorted(true);
  EXPECT_EQ(Lines(unsorted), (V{L"B", L"a", L"b", L"c"}));
}

TEST(StringList, TextSplitsAtEveryKindOfLineEnd) {
  TStringList list;
  list.SetText(L"a\r\nb\nc\rd\r\n\r\ne");
  EXPECT_EQ(Lines(list), (V{L"a", L"b", L"c", L"d", L"", L"e"}));
  EXPECT_EQ(list.Text(), L"a\r\nb\r\nc\r\nd\r\n\r\ne\r\n");
  list.SetText(L"x\r\n");
  EXPECT_EQ(Lines(list), (V{L"x"}));
  list.SetText(L"");
  EXPECT_EQ(list.Count(), 0);
}

TEST(StringList, CommaTextQuotesWhatNeedsIt) {
  TStringList list;
  list.SetCommaText(L" one, \"two words\" ,\"say \"\"hi\"\"\",,last,");
  EXPECT_EQ(Lines(list), (V{L"one", L"two words", L"say \"hi\"", L"", L"last", L""}));
  EXPECT_EQ(list.CommaText(), L"one,\"two words\",\"say \"\"hi\"\"\",,last,");
  list.SetCommaText(L"a b");  // a blank separates outside quotes
  EXPECT_EQ(Lines(list), (V{L"a", L"b"}));
  list.Clear();
  list.Add(L"");
  EXPECT_EQ(list.CommaText(), L"\"\"");

  list.Delimiter = L';';
  list.StrictDelimiter = true;
  list.SetDelimitedText(L"a b;c");
  EXPECT_EQ(Lines(list), (V{L"a b", L"c"}));
  EXPECT_EQ(list.DelimitedText(), L"a b;c");
  list.SetDelimitedText(L"\"unterminated");
  EXPECT_EQ(Lines(list), (V{L"unterminated"}));
}

TEST(StringList, NamesAndValues) {
  TStringList list;
  list.SetText(L"COM=3\r\nPage=2\r\nplain\r\nempty=");
  EXPECT_EQ(list.Names(0), L"COM");
  EXPECT_EQ(list.Names(2), L"");
  EXPECT_EQ(list.Values(L"com"), L"3");
  EXPECT_EQ(list.Values(L"missing"), L"");
  EXPECT_EQ(list.ValueFromIndex(2), L"");  // no separator: no value, not a clipped text
  EXPECT_EQ(list.IndexOfName(L"empty"), 3);
  list.SetValues(L"Page", L"5");
  list.SetValues(L"New", L"x");
  list.SetValues(L"COM", L"");
  EXPECT_EQ(Lines(list), (V{L"Page=5", L"plain", L"empty=", L"New=x"}));
  list.SetValueFromIndex(0, L"7");
  EXPECT_EQ(list[0], L"Page=7");
}

TEST(StringList, ChangeNotificationsAreBracketedByUpdates) {
  TStringList list;
  int changing = 0, changed = 0;
  list.OnChanging = [&](TObject* sender) {
    EXPECT_EQ(sender, &list);
    ++changing;
  };
  list.OnChange = [&](TObject*) { ++changed; };
  list.Add(L"a");
  list.SetStrings(0, L"b");
  EXPECT_EQ(changing, 2);
  EXPECT_EQ(changed, 2);

  changing = changed = 0;
  list.BeginUpdate();
  list.BeginUpdate();
  list.Add(L"c");
  list.Delete(0);
  list.EndUpdate();
  EXPECT_EQ(changed, 0);
  list.EndUpdate();
  EXPECT_EQ(changing, 1);
  EXPECT_EQ(changed, 1);

  changing = changed = 0;
  list.SetText(L"1\n2\n3");  // one bracket around the whole replacement
  EXPECT_EQ(changed, 1);
  list.EndUpdate();  // unbalanced: ignored
  EXPECT_EQ(list.UpdateCount(), 0);
  list.Clear();
  EXPECT_EQ(changed, 2);
}

TEST(StringList, AssignCopiesAndAddStringsToItself) {
  TStringList a, b;
  TObject o;
  a.AddObject(L"x", &o);
  a.Add(L"y");
  b.Add(L"old");
  b.Assign(&a);
  EXPECT_EQ(Lines(b), (V{L"x", L"y"}));
  EXPECT_EQ(b.Objects(0), &o);
  EXPECT_TRUE(a.Equals(b));
  b.AddStrings(b);
  EXPECT_EQ(Lines(b), (V{L"x", L"y", L"x", L"y"}));
  TPersistent other;
  EXPECT_THROW(b.Assign(&other), EConvertError);
}

TEST(StringList, OwnedObjectsAreFreedOnce) {
  struct Counted : TObject {
    explicit Counted(int& n) : n_(n) {}
    ~Counted() override { ++n_; }
    int& n_;
  };
  int freed = 0;
  {
    TStringList list;
    list.SetOwnsObjects(true);
    list.AddObject(L"a", new Counted(freed));
    list.AddObject(L"b", new Counted(freed));
    list.AddObject(L"c", new Counted(freed));
    list.Delete(0);
    EXPECT_EQ(freed, 1);
    list.Clear();
    EXPECT_EQ(freed, 3);
    list.AddObject(L"d", new Counted(freed));
  }
  EXPECT_EQ(freed, 4);
}
