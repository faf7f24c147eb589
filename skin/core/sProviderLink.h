#pragma once
// What the skin state and the forms registry ask of a form's skin provider. The provider (a form
// unit above this folder) implements it; a form answers command 4 (ACMD_GETPROVIDER) with the
// address of this interface of its provider. Win32 only.
namespace classlib {
class TCustomForm;
}

namespace skin {

class TsSkinManager;

class IacSkinProvider {
 public:
  virtual ~IacSkinProvider() = default;
  virtual classlib::TCustomForm* ProviderForm() const = 0;
  // The provider's own manager (nullptr: the default manager).
  virtual TsSkinManager* ProviderManager() const = 0;
  // The provider draws the form's non-client area from the skin.
  virtual bool DrawsNonClientArea() const { return false; }
  // The provider's form state bits: 0x1000 (a skin change copies the form), 0x10000 (locked).
  virtual unsigned FormState() const = 0;
  virtual void SetFormState(unsigned Bits, bool On) = 0;
  virtual void SetInAnimation(bool Value) = 0;
  // Locking around a skin change: the extended border shows the cover image and gets its region.
  virtual void ShowCoverInBorder() {}
  // Unlocking: the form shown again, animated or at once, its borders and region rebuilt.
  virtual void ShowAfterSkinChange() = 0;
  // The cover image replaced by an image of the whole form (extended borders only).
  virtual void CaptureFormImage() {}
  virtual bool HasExtendedBorder() const { return false; }
};

}  // namespace skin
