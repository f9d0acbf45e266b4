// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The spreadsheet program's automation server, driven through its dispatch
// interface with late-bound calls by member name. Windows only.
#ifdef _WIN32

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include <map>
#include <string>
#include <vector>

#include "ui/spreadsheet_automation.h"

namespace wr {
namespace {

constexpr wchar_t kProgId[] = L"Excel.Application";

// The tool's texts are in the system's 8-bit code page.
std::wstring Wide(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &out[0], n);
  return out;
}

// Owns the variants of one call's arguments.
class Arguments {
 public:
  explicit Arguments(const AutomationArgs& args) : variants_(args.size()) {
    // The dispatch interface takes its arguments last to first.
    for (size_t i = 0; i < args.size(); ++i) {
      VARIANT& v = variants_[args.size() - 1 - i];
      VariantInit(&v);
      if (const auto* n = std::get_if<std::int32_t>(&args[i])) {
        v.vt = VT_I4;
        v.lVal = *n;
      } else if (const auto* b = std::get_if<bool>(&args[i])) {
        v.vt = VT_BOOL;
        v.boolVal = *b ? VARIANT_TRUE : VARIANT_FALSE;
      } else {
        const std::wstring text = Wide(std::get<std::string>(args[i]));
        v.vt = VT_BSTR;
        v.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
      }
    }
  }
  ~Arguments() {
    for (VARIANT& v : variants_) VariantClear(&v);
  }
  Arguments(const Arguments&) = delete;
  Arguments& operator=(const Arguments&) = delete;

  VARIANT* data() { return variants_.empty() ? nullptr : variants_.data(); }
  UINT size() const { return static_cast<UINT>(variants_.size()); }

 private:
  std::vector<VARIANT> variants_;
};

class ExcelAutomation final : public SpreadsheetAutomation {
 public:
  ExcelAutomation() {
    // The window toolkit normally has the apartment set up already; then this
    // only counts one more user of it.
    const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    comReady_ = SUCCEEDED(hr);
  }
  ~ExcelAutomation() override {
    for (auto& entry : objects_) entry.second->Release();
    objects_.clear();
    if (comReady_) CoUninitialize();
  }

  AutomationRef CreateObject(const std::string& progId) override {
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(Wide(progId).c_str(), &clsid))) return 0;
    IDispatch* dispatch = nullptr;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER | CLSCTX_INPROC_SERVER,
                                IID_IDispatch, reinterpret_cast<void**>(&dispatch))) ||
        !dispatch)
      return 0;
    return Hold(dispatch);
  }

  AutomationRef Get(AutomationRef object, const std::string& member,
                    const AutomationArgs& args) override {
    VARIANT result;
    VariantInit(&result);
    Arguments arguments(args);
    // Item is a method on some collections and a property on others.
    if (!Invoke(object, member, DISPATCH_PROPERTYGET | DISPATCH_METHOD, arguments, false, &result))
      return 0;
    AutomationRef ref = 0;
    if (result.vt == VT_DISPATCH && result.pdispVal) {
      result.pdispVal->AddRef();
      ref = Hold(result.pdispVal);
    }
    VariantClear(&result);
    return ref;
  }

  bool Put(AutomationRef object, const std::string& member, const AutomationValue& value) override {
    Arguments arguments({value});
    return Invoke(object, member, DISPATCH_PROPERTYPUT, arguments, true, nullptr);
  }

  bool Call(AutomationRef object, const std::string& member, const AutomationArgs& args) override {
    VARIANT result;
    VariantInit(&result);
    Arguments arguments(args);
    const bool ok = Invoke(object, member, DISPATCH_METHOD, arguments, false, &result);
    VariantClear(&result);
    return ok;
  }

  bool Release(AutomationRef object) override {
    const auto found = objects_.find(object);
    if (found == objects_.end()) return false;
    found->second->Release();
    objects_.erase(found);
    return true;
  }

 private:
  AutomationRef Hold(IDispatch* dispatch) {
    const AutomationRef ref = nextRef_++;
    objects_[ref] = dispatch;
    return ref;
  }

  bool Invoke(AutomationRef object, const std::string& member, WORD flags, Arguments& arguments,
              bool propertyPut, VARIANT* result) {
    const auto found = objects_.find(object);
    if (found == objects_.end()) return false;
    IDispatch* dispatch = found->second;
    std::wstring name = Wide(member);
    LPOLESTR names[] = {&name[0]};
    DISPID id = 0;
    if (FAILED(dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return false;
    DISPPARAMS params = {};
    DISPID putId = DISPID_PROPERTYPUT;
    params.rgvarg = arguments.data();
    params.cArgs = arguments.size();
    if (propertyPut) {
      params.rgdispidNamedArgs = &putId;
      params.cNamedArgs = 1;
    }
    EXCEPINFO exception = {};
    UINT badArgument = 0;
    const HRESULT hr = dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result,
                                        &exception, &badArgument);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    return SUCCEEDED(hr);
  }

  bool comReady_ = false;
  std::map<AutomationRef, IDispatch*> objects_;
  AutomationRef nextRef_ = 1;
};

}  // namespace

bool ExcelAutomationAvailable() {
  CLSID clsid;
  return SUCCEEDED(CLSIDFromProgID(kProgId, &clsid));
}

std::unique_ptr<SpreadsheetAutomation> CreateExcelAutomation() {
  return std::make_unique<ExcelAutomation>();
}

}  // namespace wr

#endif  // _WIN32
