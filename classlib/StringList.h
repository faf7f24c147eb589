#pragma once
// TStrings, the abstract list of texts with associated objects, and TStringList, its in-memory
// implementation. Controls whose items live in a window (combo boxes, list boxes) derive their own
// TStrings and implement the protected Get/GetCount/Put... and the public Insert/Delete/Clear.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "classlib/Object.h"
#include "classlib/TextEncoding.h"

namespace classlib {

class TStream;

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStrings : public TPersistent {
 public:
  std::wstring ClassName() const override { return L"TStrings"; }

  int Count() const { return GetCount(); }
  // Raises EListError "List index out of bounds (%d)" for a bad index.
  std::wstring Strings(int index) const { return Get(index); }
  std::wstring operator[](int index) const { return Get(index); }
  void SetStrings(int index, const std::wstring& text) { Put(index, text); }
  TObject* Objects(int index) const { return GetObject(index); }
  void SetObjects(int index, TObject* object) { PutObject(index, object); }

  virtual int Add(const std::wstring& text);
  virtual int AddObject(const std::wstring& text, TObject* object);
  void Append(const std::wstring& text) { Add(text); }
  void AddStrings(const TStrings& other);
  virtual void Insert(int index, const std::wstring& text) = 0;
  virtual void InsertObject(int index, const std::wstring& text, TObject* object);
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;
  virtual void Exchange(int index1, int index2);
  virtual void Move(int currentIndex, int newIndex);
  virtual int IndexOf(const std::wstring& text) const;
  int IndexOfName(const std::wstring& name) const;
  int IndexOfObject(const TObject* object) const;
  bool Equals(const TStrings& other) const;
  void Assign(const TPersistent* source) override;

  // Changes between BeginUpdate and the matching EndUpdate notify once, at the end.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  // name=value lines (NameValueSeparator).
  std::wstring Names(int index) const;
  std::wstring Values(const std::wstring& name) const;
  // An empty value removes the line.
  void SetValues(const std::wstring& name, const std::wstring& value);
  std::wstring ValueFromIndex(int index) const;
  void SetValueFromIndex(int index, const std::wstring& value);

  // Every line followed by LineBreak; reading splits at CR, LF or CR LF.
  std::wstring Text() const;
  virtual void SetText(std::wstring_view text);
  // Items separated by ',' and quoted with '"' where they contain blanks, quotes or commas.
  std::wstring CommaText() const;
  void SetCommaText(std::wstring_view text);
  // The same with Delimiter and QuoteChar; with StrictDelimiter only the delimiter separates.
  std::wstring DelimitedText() const;
  void SetDelimitedText(std::wstring_view text);

  // Text as bytes (classlib/TextEncoding.h): loading takes a byte-order mark's word, else
  // `fallback`, and remembers the encoding in Encoding; saving writes in Encoding. The stream
  // forms work from the stream's position to its end.
  void LoadFromStream(TStream& stream, TTextEncoding fallback = TTextEncoding::Cp1251);
  void SaveToStream(TStream& stream) const;
  void LoadFromFile(const std::wstring& fileName, TTextEncoding fallback = TTextEncoding::Cp1251);
  void SaveToFile(const std::wstring& fileName) const;
  TTextEncoding Encoding = TTextEncoding::Cp1251;

  wchar_t Delimiter = L',';
  wchar_t QuoteChar = L'"';
  wchar_t NameValueSeparator = L'=';
  bool StrictDelimiter = false;
  std::wstring LineBreak = L"\r\n";

 protected:
  virtual std::wstring Get(int index) const = 0;
  virtual int GetCount() const = 0;
  virtual TObject* GetObject(int index) const { return nullptr; }
  virtual void Put(int index, const std::wstring& text);
  virtual void PutObject(int index, TObject* object) {}
  // Called with true when the first BeginUpdate starts and false when the last EndUpdate ends.
  virtual void SetUpdateState(bool updating) {}
  // Comparison used by IndexOf and IndexOfName; case-insensitive here.
  virtual int CompareStrings(const std::wstring& a, const std::wstring& b) const;
  [[noreturn]] static void ListIndexError(int index);

 private:
  std::wstring JoinDelimited(wchar_t delimiter, wchar_t quote, bool strict) const;
  void SplitDelimited(std::wstring_view text, wchar_t delimiter, wchar_t quote, bool strict);

  int updateCount_ = 0;
};

class TStringList : public TStrings {
 public:
  TStringList() = default;
  ~TStringList() override;
  std::wstring ClassName() const override { return L"TStringList"; }

  int Add(const std::wstring& text) override;
  int AddObject(const std::wstring& text, TObject* object) override;
  void Insert(int index, const std::wstring& text) override;
  void InsertObject(int index, const std::wstring& text, TObject* object) override;
  void Delete(int index) override;
  void Clear() override;
  void Exchange(int index1, int index2) override;
  int IndexOf(const std::wstring& text) const override;
  // Binary search of a sorted list; `index` is where the text is or would be inserted.
  bool Find(const std::wstring& text, int& index) const;
  void Sort();
  // Sorts with `compare` (negative, zero, positive), stably.
  void CustomSort(const std::function<int(const TStringList&, int, int)>& compare);

  bool Sorted() const { return sorted_; }
  void SetSorted(bool value);
  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates value) { duplicates_ = value; }
  bool CaseSensitive() const { return caseSensitive_; }
  void SetCaseSensitive(bool value);
  // When set, the list frees the objects of the lines it deletes and those left at its end.
  bool OwnsObjects() const { return ownsObjects_; }
  void SetOwnsObjects(bool value) { ownsObjects_ = value; }

  // OnChanging before and OnChange after each change, or once around a BeginUpdate bracket.
  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  std::wstring Get(int index) const override;
  int GetCount() const override { return static_cast<int>(items_.size()); }
  TObject* GetObject(int index) const override;
  void Put(int index, const std::wstring& text) override;
  void PutObject(int index, TObject* object) override;
  void SetUpdateState(bool updating) override;
  int CompareStrings(const std::wstring& a, const std::wstring& b) const override;
  virtual void Changing();
  virtual void Changed();

 private:
  struct Item {
    std::wstring text;
    TObject* object = nullptr;
  };
  void CheckIndex(int index) const;
  void InsertItem(int index, const std::wstring& text, TObject* object);
  [[noreturn]] static void SortedListError();

  std::vector<Item> items_;
  bool sorted_ = false;
  bool caseSensitive_ = false;
  bool ownsObjects_ = false;
  TDuplicates duplicates_ = dupIgnore;
};

}  // namespace classlib
