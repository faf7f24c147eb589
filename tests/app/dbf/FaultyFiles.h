#pragma once
// A file system that passes every call to another one and makes one chosen call fail: an open
// or create that finds nothing, a short read or write (half the bytes go through), a failing
// flush, close, remove or replace. In crash mode the chosen call throws instead, so the writer
// stops dead there and the test looks at what a power cut would have left on the disk; a child
// process may end itself there instead, the way a killed program stops.
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "app/DbfFiles.h"

namespace dbf_test {

enum class FaultOp { Open, Exists, Remove, Replace, MoveNew, Seek, Read, Write, Size, Truncate, Flush, Commit, Close };

struct Crash : std::runtime_error {
  Crash() : std::runtime_error("crash") {}
};

class FaultyFiles final : public app::DbfFileSystem {
 public:
  explicit FaultyFiles(app::DbfFileSystem& inner) : inner_(inner) {}

  // Fails the n-th call (counting from 0 from now) of `op`, or of any operation without one.
  void FailAt(long n, std::optional<FaultOp> op = std::nullopt, bool crash = false) {
    remaining_ = n;
    op_ = op;
    crash_ = crash;
    fired_ = false;
    calls_ = 0;
  }
  void Disarm() { remaining_ = -1; }
  // What crash mode does at the chosen call, instead of throwing Crash; it must not return.
  void OnCrash(std::function<void()> stop) { stop_ = std::move(stop); }
  bool Fired() const { return fired_; }
  long Calls() const { return calls_; }

  // True when this call is the one to fail (and then the fault is used up).
  bool Hit(FaultOp op) {
    ++calls_;
    if (remaining_ < 0 || (op_ && *op_ != op)) return false;
    if (remaining_-- > 0) return false;
    fired_ = true;
    if (crash_) {
      if (stop_) stop_();
      throw Crash();
    }
    return true;
  }

  std::unique_ptr<app::DbfFile> Open(const std::wstring& path, app::DbfOpenMode mode) override;
  bool Exists(const std::wstring& path) override { return !Hit(FaultOp::Exists) && inner_.Exists(path); }
  bool Remove(const std::wstring& path) override { return !Hit(FaultOp::Remove) && inner_.Remove(path); }
  bool Replace(const std::wstring& source, const std::wstring& target) override {
    return !Hit(FaultOp::Replace) && inner_.Replace(source, target);
  }
  bool MoveNew(const std::wstring& source, const std::wstring& target) override {
    return !Hit(FaultOp::MoveNew) && inner_.MoveNew(source, target);
  }

 private:
  app::DbfFileSystem& inner_;
  long remaining_ = -1;
  std::optional<FaultOp> op_;
  bool crash_ = false;
  std::function<void()> stop_;
  bool fired_ = false;
  long calls_ = 0;
};

class FaultyFile final : public app::DbfFile {
 public:
  FaultyFile(FaultyFiles& files, std::unique_ptr<app::DbfFile> inner) : files_(files), inner_(std::move(inner)) {}

  bool Seek(std::uint64_t offset) override { return !files_.Hit(FaultOp::Seek) && inner_->Seek(offset); }
  std::size_t Read(void* data, std::size_t size) override {
    if (files_.Hit(FaultOp::Read)) return inner_->Read(data, size / 2);
    return inner_->Read(data, size);
  }
  bool Write(const void* data, std::size_t size) override {
    if (files_.Hit(FaultOp::Write)) {
      inner_->Write(data, size / 2);  // the disk filled up half way
      return false;
    }
    return inner_->Write(data, size);
  }
  std::optional<std::uint64_t> Size() override {
    if (files_.Hit(FaultOp::Size)) return std::nullopt;
    return inner_->Size();
  }
  bool Truncate(std::uint64_t size) override { return !files_.Hit(FaultOp::Truncate) && inner_->Truncate(size); }
  bool Flush() override { return !files_.Hit(FaultOp::Flush) && inner_->Flush(); }
  bool Commit() override { return !files_.Hit(FaultOp::Commit) && inner_->Commit(); }
  bool Close() override {
    const bool fault = files_.Hit(FaultOp::Close);
    return inner_->Close() && !fault;
  }

 private:
  FaultyFiles& files_;
  std::unique_ptr<app::DbfFile> inner_;
};

inline std::unique_ptr<app::DbfFile> FaultyFiles::Open(const std::wstring& path, app::DbfOpenMode mode) {
  if (Hit(FaultOp::Open)) return nullptr;
  auto file = inner_.Open(path, mode);
  if (!file) return nullptr;
  return std::make_unique<FaultyFile>(*this, std::move(file));
}

}  // namespace dbf_test
