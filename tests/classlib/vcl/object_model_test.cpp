// The object model without windows: ownership, notifications, the class registry, property
// access by name, and reading descriptions into components.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/Classes.h"
#include "classlib/FormLoader.h"
#include "classlib/TypInfo.h"

using namespace classlib;
namespace f = classlib::forms;

enum TShade { shLight, shMedium, shDark };
enum TEdge { edLeft, edTop, edRight, edBottom };
using TEdges = TSet<TEdge>;

template <>
const TEnumInfo& classlib::EnumInfo<TShade>() {
  static const TEnumInfo info{L"TShade", {L"shLight", L"shMedium", L"shDark"}};
  return info;
}
template <>
const TEnumInfo& classlib::EnumInfo<TEdge>() {
  static const TEnumInfo info{L"TEdge", {L"edLeft", L"edTop", L"edRight", L"edBottom"}};
  return info;
}

namespace {

std::vector<std::wstring> g_log;

class TPen2 : public TPersistent {
 public:
  std::wstring ClassName() const override { return L"TPen2"; }
  int Width() const { return width_; }
  void SetWidth(int v) { width_ = v; }
  TColor Color() const { return color_; }
  void SetColor(TColor v) { color_ = v; }
  static void DeclareProperties(TClassDecl<TPen2>& d) {
    d.Integer(L"Width", &TPen2::Width, &TPen2::SetWidth, 1);
    d.Color(L"Color", &TPen2::Color, &TPen2::SetColor, clBlack);
  }

 private:
  int width_ = 1;
  TColor color_ = clBlack;
};

class TSlot : public TCollectionItem {
 public:
  using TCollectionItem::TCollectionItem;
  std::wstring ClassName() const override { return L"TSlot"; }
  std::wstring Text;
  int Size = 50;
  static void DeclareProperties(TClassDecl<TSlot>& d) {
    d.String(L"Text", &TSlot::Text, [](TSlot* s, const std::wstring& v) { s->Text = v; });
    d.Integer(
        L"Size", &TSlot::Size, [](TSlot* s, int v) { s->Size = v; }, 50);
  }
};

class TThing : public TComponent {
 public:
  explicit TThing(TComponent* owner) : TComponent(owner), slots_(this) {}
  ~TThing() override { g_log.push_back(L"free " + Name()); }
  std::wstring ClassName() const override { return L"TThing"; }

  void SetParentComponent(TComponent* p) override { parent = p; }
  void Loaded() override {
    TComponent::Loaded();
    g_log.push_back(L"loaded " + Name());
  }
  void Notification(TComponent* c, TOperation op) override {
    if (op == opRemove && c == Buddy) Buddy = nullptr;
    if (op == opInsert) g_log.push_back(L"insert " + c->ClassName() + L" into " + Name());
    TComponent::Notification(c, op);
  }

  int Count = 3;
  bool Active = true;
  TShade Shade = shMedium;
  TEdges Edges{edLeft, edTop};
  double Ratio = 0.5;
  std::wstring Caption;
  TThing* Buddy = nullptr;
  std::vector<std::wstring> Lines;
  std::vector<std::uint8_t> Data;
  TNotifyEvent OnPoke;
  std::function<void(TObject*, int&)> OnCount;
  TComponent* parent = nullptr;
  TPen2* Pen() { return &pen_; }
  TCollectionOf<TSlot>* Slots() { return &slots_; }

  static void DeclareProperties(TClassDecl<TThing>& d) {
    d.Integer(
        L"Count", &TThing::Count, [](TThing* t, int v) { t->Count = v; }, 3);
    d.Bool(
        L"Active", &TThing::Active, [](TThing* t, bool v) { t->Active = v; }, true);
    d.Enum(
        L"Shade", &TThing::Shade, [](TThing* t, TShade v) { t->Shade = v; }, shMedium);
    d.Set(
        L"Edges", &TThing::Edges, [](TThing* t, TEdges v) { t->Edges = v; }, TEdges{edLeft, edTop});
    d.Float(
        L"Ratio", &TThing::Ratio, [](TThing* t, double v) { t->Ratio = v; }, 0.5);
    d.String(L"Caption", &TThing::Caption, [](TThing* t, const std::wstring& v) { t->Caption = v; });
    d.Component<TThing>(L"Buddy", &TThing::Buddy, [](TThing* t, TThing* v) {
      t->Buddy = v;
      if (v) v->FreeNotification(t);
    });
    d.StringList(L"Lines", &TThing::Lines, [](TThing* t, const std::vector<std::wstring>& v) { t->Lines = v; });
    d.Binary(L"Data", &TThing::Data, [](TThing* t, const std::vector<std::uint8_t>& v) { t->Data = v; });
    d.Object(L"Pen", [](TThing* t) { return t->Pen(); });
    d.Collection(L"Slots", [](TThing* t) { return t->Slots(); });
    d.Event(L"OnPoke", &TThing::OnPoke);
    d.Event(L"OnCount", &TThing::OnCount);
  }

 private:
  TPen2 pen_;
  TCollectionOf<TSlot> slots_;
};

class TBigThing : public TThing {
 public:
  using TThing::TThing;
  std::wstring ClassName() const override { return L"TBigThing"; }
};

// Not registered itself: the registry answers for its nearest registered ancestor.
class TPrivateThing : public TBigThing {
 public:
  using TBigThing::TBigThing;
};

class TRootThing : public TThing {
 public:
  using TThing::TThing;
  TThing* First = nullptr;
  TThing* Second = nullptr;
  std::vector<std::wstring> pokes;
  void ThingPoke(TObject* sender) { pokes.push_back(static_cast<TComponent*>(sender)->Name()); }
  void ThingCount(TObject*, int& n) { n += 10; }
};

void RegisterTestClasses() {
  RegisterClass<TPen2, TPersistent>(L"TPen2");
  RegisterClass<TSlot, TCollectionItem>(L"TSlot");
  RegisterClass<TThing, TComponent>(L"TThing");
  RegisterClass<TBigThing, TThing>(L"TBigThing");
}

f::Value Int(std::int64_t v) {
  f::Value x;
  x.kind = f::Value::Kind::Integer;
  x.integer = v;
  return x;
}
f::Value Str(std::wstring s, f::Value::Kind k = f::Value::Kind::String) {
  f::Value x;
  x.kind = k;
  x.text = std::move(s);
  return x;
}
f::Value Ident(std::wstring s) { return Str(std::move(s), f::Value::Kind::Identifier); }
f::Property Prop(std::wstring name, f::Value v, int line) {
  v.line = line;
  return f::Property{std::move(name), std::move(v), line};
}
f::ObjectNode Obj(std::wstring name, std::wstring cls, int line, std::vector<f::Property> props = {},
                  std::vector<f::ObjectNode> children = {}) {
  return f::ObjectNode{std::move(name), std::move(cls), std::move(props), std::move(children), line};
}

class ObjectModel : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterTestClasses();
    g_log.clear();
  }
};

TEST_F(ObjectModel, OwnerFreesEachOwnedComponentOnceAndForgetsOnesFreedEarlier) {
  auto* root = Create<TThing>(nullptr);
  root->SetName(L"Root");
  auto* a = Create<TThing>(root);
  a->SetName(L"A");
  auto* b = Create<TThing>(root);
  b->SetName(L"B");
  auto* c = Create<TThing>(a);
  c->SetName(L"C");
  Free(b);
  EXPECT_EQ(root->ComponentCount(), 1);
  g_log.clear();
  Free(root);
  EXPECT_EQ(g_log, (std::vector<std::wstring>{L"free Root", L"free A", L"free C"}));
}

TEST_F(ObjectModel, InsertionIsAnnouncedToOwnerAndSiblingsWithTheFinishedClass) {
  auto* root = Create<TThing>(nullptr);
  root->SetName(L"Root");
  auto* sibling = Create<TThing>(root);
  sibling->SetName(L"Sib");
  g_log.clear();
  Create<TBigThing>(root);
  EXPECT_EQ(g_log, (std::vector<std::wstring>{L"insert TBigThing into Root", L"insert TBigThing into Sib"}));
  Free(root);
}

TEST_F(ObjectModel, FreeNotificationClearsReferenceAcrossOwners) {
  auto* one = Create<TThing>(nullptr);
  auto* two = Create<TThing>(nullptr);
  SetObjectProp(one, L"Buddy", two);
  EXPECT_EQ(one->Buddy, two);
  Free(two);
  EXPECT_EQ(one->Buddy, nullptr);
  Free(one);
}

TEST_F(ObjectModel, NamesAreIdentifiersUniqueWithinTheOwner) {
  auto* root = Create<TThing>(nullptr);
  auto* a = Create<TThing>(root);
  a->SetName(L"Button1");
  auto* b = Create<TThing>(root);
  EXPECT_THROW(b->SetName(L"button1"), EComponentError);
  EXPECT_THROW(b->SetName(L"1st"), EComponentError);
  b->SetName(L"Button2");
  EXPECT_EQ(root->FindComponent(L"BUTTON2"), b);
  Free(root);
}

TEST_F(ObjectModel, RegistryCreatesByNameAndKnowsAncestry) {
  auto* root = Create<TThing>(nullptr);
  TComponent* big = CreateComponent(L"tbigthing", root);
  EXPECT_NE(dynamic_cast<TBigThing*>(big), nullptr);
  EXPECT_TRUE(InheritsFrom(big, L"TThing"));
  EXPECT_TRUE(InheritsFrom(big, L"TComponent"));
  EXPECT_FALSE(InheritsFrom(root, L"TBigThing"));
  EXPECT_THROW(CreateComponent(L"TNoSuchThing", root), EClassNotFound);
  auto* hidden = Create<TPrivateThing>(root);
  EXPECT_EQ(ClassInfoOf(hidden)->Name, L"TBigThing");
  Free(root);
}

TEST_F(ObjectModel, PropertyAccessByNameCoversEveryKind) {
  auto* t = Create<TThing>(nullptr);
  EXPECT_EQ(GetOrdProp(t, L"count"), 3);
  SetOrdProp(t, L"Count", 7);
  EXPECT_EQ(t->Count, 7);
  EXPECT_EQ(GetEnumProp(t, L"Shade"), L"shMedium");
  SetEnumProp(t, L"Shade", L"shDark");
  EXPECT_EQ(t->Shade, shDark);
  EXPECT_EQ(GetPropText(t, L"Edges"), L"[edLeft,edTop]");
  SetPropText(t, L"Edges", L"[edRight, edBottom]");
  EXPECT_EQ(t->Edges, (TEdges{edRight, edBottom}));
  SetPropText(t, L"Pen.Color", L"clBtnFace");
  EXPECT_EQ(GetPropText(t, L"Pen.Color"), L"clBtnFace");
  SetPropText(t, L"Pen.Color", L"$00FF00");
  EXPECT_EQ(t->Pen()->Color(), 0x00FF00);
  SetPropText(t, L"Ratio", L"2.25");
  EXPECT_DOUBLE_EQ(GetFloatProp(t, L"Ratio"), 2.25);
  SetStrProp(t, L"Caption", L"Привет");
  EXPECT_EQ(GetStrProp(t, L"Caption"), L"Привет");
  EXPECT_EQ(GetObjectProp(t, L"Pen"), t->Pen());
  EXPECT_TRUE(IsPublishedProp(t, L"Pen.Width"));
  EXPECT_FALSE(IsPublishedProp(t, L"Pen.Height"));
  EXPECT_THROW(GetOrdProp(t, L"Missing"), EPropertyError);
  EXPECT_THROW(SetPropText(t, L"Active", L"maybe"), EPropertyError);
  EXPECT_THROW(SetPropText(t, L"Count", L"12abc"), EPropertyError);
  EXPECT_THROW(GetStrProp(t, L"Count"), EPropertyError);
  Free(t);
}

TEST_F(ObjectModel, FreshInstancesHoldTheirDeclaredDefaults) {
  auto* t = Create<TThing>(nullptr);
  for (const TPropInfo* p : ClassInfoOf(t)->AllProperties())
    if (p->Kind != TPropKind::Object) EXPECT_TRUE(p->IsDefault(t)) << std::string(p->Name.begin(), p->Name.end());
  Free(t);
}

// A description of a root with two nested things, a shared handler and a forward reference.
f::ObjectNode SampleDescription() {
  f::Value slots;
  slots.kind = f::Value::Kind::Collection;
  slots.items = {{Prop(L"Text", Str(L"one"), 9)}, {Prop(L"Text", Str(L"two"), 10), Prop(L"Size", Int(80), 11)}};
  f::Value lines;
  lines.kind = f::Value::Kind::List;
  lines.list = {Str(L"a"), Str(L"b")};
  f::Value edges;
  edges.kind = f::Value::Kind::Set;
  edges.set = {L"edBottom"};
  f::Value data;
  data.kind = f::Value::Kind::Binary;
  data.binary = {0x0A, 0x0B};
  return Obj(L"Root1", L"TRootThing", 1, {Prop(L"Caption", Str(L"root"), 2)},
             {Obj(L"First", L"TThing", 3,
                  {Prop(L"Buddy", Ident(L"Second"), 4), Prop(L"OnPoke", Ident(L"ThingPoke"), 5),
                   Prop(L"Pen.Width", Int(4), 6), Prop(L"Lines.Strings", lines, 7), Prop(L"Slots", slots, 8)}),
              Obj(L"Second", L"TBigThing", 12,
                  {Prop(L"OnPoke", Ident(L"ThingPoke"), 13), Prop(L"OnCount", Ident(L"ThingCount"), 14),
                   Prop(L"Shade", Ident(L"shLight"), 15), Prop(L"Edges", edges, 16), Prop(L"Data", data, 17),
                   Prop(L"Active", Ident(L"False"), 18)},
                  {Obj(L"Inner", L"TThing", 19, {Prop(L"Buddy", Ident(L"Root1.First"), 20)})})});
}

struct Loaded {
  TRootThing* root = Create<TRootThing>(nullptr);
  TFormBindings bindings{root};
  Loaded() {
    bindings.Field(L"First", root->First)
        .Field(L"Second", root->Second)
        .Handler(L"ThingPoke", &TRootThing::ThingPoke)
        .Handler(L"ThingCount", &TRootThing::ThingCount);
  }
  ~Loaded() { Free(root); }
};

TEST_F(ObjectModel, DescriptionBuildsNestedComponentsKeepingDefaults) {
  Loaded l;
  ApplyDescription(l.root, SampleDescription(), l.bindings);
  TRootThing& r = *l.root;
  EXPECT_EQ(r.Name(), L"Root1");
  EXPECT_EQ(r.Caption, L"root");
  ASSERT_NE(r.First, nullptr);
  ASSERT_NE(r.Second, nullptr);
  EXPECT_NE(dynamic_cast<TBigThing*>(r.Second), nullptr);
  EXPECT_EQ(r.First->Owner(), &r);
  EXPECT_EQ(r.First->parent, &r);
  auto* inner = dynamic_cast<TThing*>(r.FindComponent(L"Inner"));
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(inner->Owner(), &r);
  EXPECT_EQ(inner->parent, r.Second);
  // Defaults where the description is silent.
  EXPECT_EQ(r.First->Count, 3);
  EXPECT_TRUE(r.First->Active);
  EXPECT_EQ(r.First->Shade, shMedium);
  EXPECT_EQ(r.First->Pen()->Color(), clBlack);
  // What the description says.
  EXPECT_EQ(r.First->Pen()->Width(), 4);
  EXPECT_EQ(r.First->Lines, (std::vector<std::wstring>{L"a", L"b"}));
  ASSERT_EQ(r.First->Slots()->Count(), 2);
  EXPECT_EQ(r.First->Slots()->Items(1)->Text, L"two");
  EXPECT_EQ(r.First->Slots()->Items(0)->Size, 50);
  EXPECT_EQ(r.First->Slots()->Items(1)->Size, 80);
  EXPECT_FALSE(r.Second->Active);
  EXPECT_EQ(r.Second->Shade, shLight);
  EXPECT_EQ(r.Second->Edges, TEdges{edBottom});
  EXPECT_EQ(r.Second->Data, (std::vector<std::uint8_t>{0x0A, 0x0B}));
  // The forward and the qualified reference.
  EXPECT_EQ(r.First->Buddy, r.Second);
  EXPECT_EQ(inner->Buddy, r.First);
  // Loaded ran for the root first, then in reading order, after the references were resolved.
  std::vector<std::wstring> loaded;
  for (auto& s : g_log)
    if (s.rfind(L"loaded ", 0) == 0) loaded.push_back(s);
  EXPECT_EQ(loaded, (std::vector<std::wstring>{L"loaded Root1", L"loaded First", L"loaded Second", L"loaded Inner"}));
  EXPECT_FALSE(r.First->ComponentState().Contains(csLoading));
}

TEST_F(ObjectModel, OneHandlerServesManyComponents) {
  Loaded l;
  ApplyDescription(l.root, SampleDescription(), l.bindings);
  l.root->Second->OnPoke(l.root->Second);
  l.root->First->OnPoke(l.root->First);
  EXPECT_EQ(l.root->pokes, (std::vector<std::wstring>{L"Second", L"First"}));
  int n = 1;
  l.root->Second->OnCount(l.root->Second, n);
  EXPECT_EQ(n, 11);
}

struct BadCase {
  const char* what;
  std::function<void(f::ObjectNode&)> spoil;
  int line;
  std::wstring mentions;
};

TEST_F(ObjectModel, FaultyDescriptionsNameTheirLine) {
  const std::vector<BadCase> cases = {
      {"unknown class", [](f::ObjectNode& n) { n.children[0].className = L"TNoSuch"; }, 3, L"TNoSuch"},
      {"unknown property", [](f::ObjectNode& n) { n.children[1].properties[2].name = L"Shadow"; }, 15, L"Shadow"},
      {"unknown sub-property", [](f::ObjectNode& n) { n.children[0].properties[2].name = L"Pen.Height"; }, 6,
       L"Height"},
      {"wrong value kind", [](f::ObjectNode& n) { n.children[0].properties[2].value = Str(L"four"); }, 6, L"integer"},
      {"unknown enumeration value", [](f::ObjectNode& n) { n.children[1].properties[2].value = Ident(L"shBlue"); }, 15,
       L"shBlue"},
      {"unresolved reference", [](f::ObjectNode& n) { n.children[0].properties[0].value = Ident(L"Third"); }, 4,
       L"Third"},
      {"missing handler", [](f::ObjectNode& n) { n.children[0].properties[1].value = Ident(L"NoSuchClick"); }, 5,
       L"NoSuchClick"},
      {"handler of another type", [](f::ObjectNode& n) { n.children[0].properties[1].value = Ident(L"ThingCount"); }, 5,
       L"ThingCount"},
      {"duplicate name", [](f::ObjectNode& n) { n.children[1].name = L"First"; }, 12, L"First"},
      {"set with an unknown member",
       [](f::ObjectNode& n) {
         n.children[1].properties[3].value.set = {L"edLeft", L"edMiddle"};
       },
       16, L"edMiddle"},
  };
  for (const BadCase& c : cases) {
    Loaded l;
    f::ObjectNode node = SampleDescription();
    c.spoil(node);
    try {
      ApplyDescription(l.root, node, l.bindings, {L"TROOT", {}});
      ADD_FAILURE() << c.what << ": no error";
    } catch (const EFormError& e) {
      const std::wstring& m = e.Message();
      EXPECT_NE(m.find(L"line " + std::to_wstring(c.line) + L":"), std::wstring::npos) << c.what;
      EXPECT_NE(m.find(c.mentions), std::wstring::npos) << c.what;
      EXPECT_NE(m.find(L"TROOT"), std::wstring::npos) << c.what;
    }
    EXPECT_FALSE(l.root->ComponentState().Contains(csLoading)) << c.what;
  }
}

}  // namespace
