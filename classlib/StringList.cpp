#include "classlib/StringList.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "classlib/Exception.h"
#include "classlib/SysUtils.h"

namespace classlib {
namespace {

// Keeps a BeginUpdate/EndUpdate bracket balanced when a change throws.
class UpdateBracket {
 public:
  explicit UpdateBracket(TStrings& list) : list_(list) { list_.BeginUpdate(); }
  ~UpdateBracket() { list_.EndUpdate(); }
  UpdateBracket(const UpdateBracket&) = delete;
  UpdateBracket& operator=(const UpdateBracket&) = delete;

 private:
  TStrings& list_;
};

}  // namespace

// ---------------------------------------------------------------- TStrings

void TStrings::ListIndexError(int index) { throw EListError(L"List index out of bounds (" + IntToStr(index) + L")"); }

int TStrings::Add(const std::wstring& text) {
  const int index = GetCount();
  Insert(index, text);
  return index;
}

int TStrings::AddObject(const std::wstring& text, TObject* object) {
  const int index = Add(text);
  PutObject(index, object);
  return index;
}

void TStrings::AddStrings(const TStrings& other) {
  UpdateBracket bracket(*this);
  // Counted up front: adding a list to itself doubles it once.
  const int count = other.GetCount();
  for (int i = 0; i < count; ++i) AddObject(other.Get(i), other.GetObject(i));
}

void TStrings::InsertObject(int index, const std::wstring& text, TObject* object) {
  Insert(index, text);
  PutObject(index, object);
}

void TStrings::Put(int index, const std::wstring& text) {
  TObject* object = GetObject(index);
  UpdateBracket bracket(*this);
  Delete(index);
  InsertObject(index, text, object);
}

void TStrings::Exchange(int index1, int index2) {
  UpdateBracket bracket(*this);
  const std::wstring text1 = Get(index1);
  TObject* object1 = GetObject(index1);
  Put(index1, Get(index2));
  PutObject(index1, GetObject(index2));
  Put(index2, text1);
  PutObject(index2, object1);
}

void TStrings::Move(int currentIndex, int newIndex) {
  if (currentIndex == newIndex) return;
  UpdateBracket bracket(*this);
  const std::wstring text = Get(currentIndex);
  TObject* object = GetObject(currentIndex);
  if (newIndex < 0 || newIndex >= GetCount()) ListIndexError(newIndex);
  Delete(currentIndex);
  InsertObject(newIndex, text, object);
}

int TStrings::CompareStrings(const std::wstring& a, const std::wstring& b) const { return CompareText(a, b); }

int TStrings::IndexOf(const std::wstring& text) const {
  const int count = GetCount();
  for (int i = 0; i < count; ++i)
    if (CompareStrings(Get(i), text) == 0) return i;
  return -1;
}

int TStrings::IndexOfName(const std::wstring& name) const {
  const int count = GetCount();
  for (int i = 0; i < count; ++i) {
    const std::wstring line = Get(i);
    const std::size_t separator = line.find(NameValueSeparator);
    if (separator != std::wstring::npos && CompareStrings(line.substr(0, separator), name) == 0) return i;
  }
  return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
  const int count = GetCount();
  for (int i = 0; i < count; ++i)
    if (GetObject(i) == object) return i;
  return -1;
}

bool TStrings::Equals(const TStrings& other) const {
  const int count = GetCount();
  if (count != other.GetCount()) return false;
  for (int i = 0; i < count; ++i)
    if (Get(i) != other.Get(i)) return false;
  return true;
}

void TStrings::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TStrings*>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this) return;
  UpdateBracket bracket(*this);
  Clear();
  Delimiter = other->Delimiter;
  QuoteChar = other->QuoteChar;
  NameValueSeparator = other->NameValueSeparator;
  StrictDelimiter = other->StrictDelimiter;
  LineBreak = other->LineBreak;
  Encoding = other->Encoding;
  AddStrings(*other);
}

void TStrings::BeginUpdate() {
  if (updateCount_ == 0) SetUpdateState(true);
  ++updateCount_;
}

void TStrings::EndUpdate() {
  if (updateCount_ == 0) return;
  --updateCount_;
  if (updateCount_ == 0) SetUpdateState(false);
}

std::wstring TStrings::Names(int index) const {
  const std::wstring line = Get(index);
  const std::size_t separator = line.find(NameValueSeparator);
  return separator == std::wstring::npos ? std::wstring() : line.substr(0, separator);
}

std::wstring TStrings::Values(const std::wstring& name) const {
  const int index = IndexOfName(name);
  return index < 0 ? std::wstring() : ValueFromIndex(index);
}

void TStrings::SetValues(const std::wstring& name, const std::wstring& value) {
  const int index = IndexOfName(name);
  if (!value.empty()) {
    if (index < 0) {
      Add(name + NameValueSeparator + value);
    } else {
      Put(index, name + NameValueSeparator + value);
    }
  } else if (index >= 0) {
    Delete(index);
  }
}

std::wstring TStrings::ValueFromIndex(int index) const {
  const std::wstring line = Get(index);
  const std::size_t separator = line.find(NameValueSeparator);
  return separator == std::wstring::npos ? std::wstring() : line.substr(separator + 1);
}

void TStrings::SetValueFromIndex(int index, const std::wstring& value) {
  if (!value.empty()) {
    if (index < 0) {
      Add(std::wstring(1, NameValueSeparator) + value);
    } else {
      Put(index, Names(index) + NameValueSeparator + value);
    }
  } else if (index >= 0) {
    Delete(index);
  }
}

std::wstring TStrings::Text() const {
  std::wstring out;
  const int count = GetCount();
  for (int i = 0; i < count; ++i) {
    out += Get(i);
    out += LineBreak;
  }
  return out;
}

void TStrings::SetText(std::wstring_view text) {
  UpdateBracket bracket(*this);
  Clear();
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = start;
    while (end < text.size() && text[end] != L'\r' && text[end] != L'\n') ++end;
    Add(std::wstring(text.substr(start, end - start)));
    if (end < text.size() && text[end] == L'\r') ++end;
    if (end < text.size() && text[end] == L'\n') ++end;
    start = end;
  }
}

std::wstring TStrings::JoinDelimited(wchar_t delimiter, wchar_t quote, bool strict) const {
  const int count = GetCount();
  if (count == 1 && Get(0).empty()) return std::wstring(2, quote);
  std::wstring out;
  for (int i = 0; i < count; ++i) {
    const std::wstring item = Get(i);
    const bool needsQuotes = std::any_of(
        item.begin(), item.end(), [&](wchar_t c) { return c == quote || c == delimiter || (!strict && c <= L' '); });
    if (i > 0) out.push_back(delimiter);
    out += needsQuotes ? AnsiQuotedStr(item, quote) : item;
  }
  return out;
}

void TStrings::SplitDelimited(std::wstring_view text, wchar_t delimiter, wchar_t quote, bool strict) {
  UpdateBracket bracket(*this);
  Clear();
  std::size_t p = 0;
  const auto isBlank = [&](std::size_t at) { return at < text.size() && !strict && text[at] <= L' '; };
  while (isBlank(p)) ++p;
  while (p < text.size()) {
    std::wstring item;
    if (text[p] == quote) {
      item = AnsiExtractQuotedStr(text, p, quote);
    } else {
      const std::size_t start = p;
      while (p < text.size() && (strict || text[p] > L' ') && text[p] != delimiter) ++p;
      item = std::wstring(text.substr(start, p - start));
    }
    Add(item);
    while (isBlank(p)) ++p;
    if (p < text.size() && text[p] == delimiter) {
      if (p + 1 == text.size()) Add(std::wstring());
      ++p;
      while (isBlank(p)) ++p;
    }
  }
}

std::wstring TStrings::CommaText() const { return JoinDelimited(L',', L'"', false); }

void TStrings::SetCommaText(std::wstring_view text) { SplitDelimited(text, L',', L'"', false); }

std::wstring TStrings::DelimitedText() const { return JoinDelimited(Delimiter, QuoteChar, StrictDelimiter); }

void TStrings::SetDelimitedText(std::wstring_view text) { SplitDelimited(text, Delimiter, QuoteChar, StrictDelimiter); }

// ---------------------------------------------------------------- TStringList

TStringList::~TStringList() {
  OnChange = nullptr;
  OnChanging = nullptr;
  if (ownsObjects_)
    for (auto& item : items_) delete std::exchange(item.object, nullptr);
}

void TStringList::SortedListError() { throw EListError(L"Operation not allowed on sorted list"); }

void TStringList::CheckIndex(int index) const {
  if (index < 0 || index >= GetCount()) ListIndexError(index);
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::SetUpdateState(bool updating) {
  if (updating) {
    Changing();
  } else {
    Changed();
  }
}

int TStringList::CompareStrings(const std::wstring& a, const std::wstring& b) const {
  return caseSensitive_ ? CompareStr(a, b) : CompareText(a, b);
}

std::wstring TStringList::Get(int index) const {
  CheckIndex(index);
  return items_[static_cast<std::size_t>(index)].text;
}

TObject* TStringList::GetObject(int index) const {
  CheckIndex(index);
  return items_[static_cast<std::size_t>(index)].object;
}

void TStringList::InsertItem(int index, const std::wstring& text, TObject* object) {
  Changing();
  items_.insert(items_.begin() + index, Item{text, object});
  Changed();
}

int TStringList::Add(const std::wstring& text) { return AddObject(text, nullptr); }

int TStringList::AddObject(const std::wstring& text, TObject* object) {
  int index = GetCount();
  if (sorted_ && Find(text, index)) {
    if (duplicates_ == dupIgnore) return index;
    if (duplicates_ == dupError) throw EListError(L"String list does not allow duplicates");
  }
  InsertItem(index, text, object);
  return index;
}

void TStringList::Insert(int index, const std::wstring& text) { InsertObject(index, text, nullptr); }

void TStringList::InsertObject(int index, const std::wstring& text, TObject* object) {
  if (sorted_) SortedListError();
  if (index < 0 || index > GetCount()) ListIndexError(index);
  InsertItem(index, text, object);
}

void TStringList::Delete(int index) {
  CheckIndex(index);
  Changing();
  TObject* object = items_[static_cast<std::size_t>(index)].object;
  items_.erase(items_.begin() + index);
  if (ownsObjects_) delete object;
  Changed();
}

void TStringList::Clear() {
  if (items_.empty()) return;
  Changing();
  std::vector<Item> old;
  old.swap(items_);
  if (ownsObjects_)
    for (auto& item : old) delete item.object;
  Changed();
}

void TStringList::Put(int index, const std::wstring& text) {
  if (sorted_) SortedListError();
  CheckIndex(index);
  Changing();
  items_[static_cast<std::size_t>(index)].text = text;
  Changed();
}

void TStringList::PutObject(int index, TObject* object) {
  CheckIndex(index);
  Changing();
  items_[static_cast<std::size_t>(index)].object = object;
  Changed();
}

void TStringList::Exchange(int index1, int index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  Changing();
  std::swap(items_[static_cast<std::size_t>(index1)], items_[static_cast<std::size_t>(index2)]);
  Changed();
}

bool TStringList::Find(const std::wstring& text, int& index) const {
  // The first line not less than the text: with duplicates, the first of the equal ones.
  int low = 0, high = GetCount();
  while (low < high) {
    const int middle = low + (high - low) / 2;
    if (CompareStrings(items_[static_cast<std::size_t>(middle)].text, text) < 0) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  index = low;
  return low < GetCount() && CompareStrings(items_[static_cast<std::size_t>(low)].text, text) == 0;
}

int TStringList::IndexOf(const std::wstring& text) const {
  if (!sorted_) return TStrings::IndexOf(text);
  int index;
  return Find(text, index) ? index : -1;
}

void TStringList::CustomSort(const std::function<int(const TStringList&, int, int)>& compare) {
  if (items_.size() < 2) return;
  Changing();
  // The comparison sees indexes into the list, so the items are sorted through a permutation.
  std::vector<int> order(items_.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(*this, a, b) < 0; });
  std::vector<Item> sorted;
  sorted.reserve(items_.size());
  for (int i : order) sorted.push_back(std::move(items_[static_cast<std::size_t>(i)]));
  items_ = std::move(sorted);
  Changed();
}

void TStringList::Sort() {
  CustomSort([](const TStringList& list, int a, int b) {
    return list.CompareStrings(list.items_[static_cast<std::size_t>(a)].text,
                               list.items_[static_cast<std::size_t>(b)].text);
  });
}

void TStringList::SetSorted(bool value) {
  if (value == sorted_) return;
  if (value) Sort();
  sorted_ = value;
}

void TStringList::SetCaseSensitive(bool value) {
  if (value == caseSensitive_) return;
  caseSensitive_ = value;
  if (sorted_) Sort();
}

}  // namespace classlib
