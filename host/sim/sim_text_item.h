#pragma once

#include <memory>
#include <string>
#include <utility>

#include "host/capture_host.h"
#include "host/sim/sim_context.h"

namespace zarn::host::sim {

// An item of a host list that is one text, as it was when fetched: an index field's name, an
// image file's name or a custom property's value. Each list hands it out as its own item
// interface, and each reading counts under that interface's name.
class SimTextItem final : public IIndexField, public IImageFile, public ICustomProperty {
  public:
    SimTextItem(std::shared_ptr<SimContext> context, std::u16string text)
        : context_(std::move(context)), text_(std::move(text)) {}

    HResult GetName(std::u16string& name) override {
        return Answer(*context_, "IndexField.GetName", text_, name);
    }
    HResult GetFileName(std::u16string& fileName) override {
        return Answer(*context_, "ImageFile.GetFileName", text_, fileName);
    }
    HResult GetValue(std::u16string& value) override {
        return Answer(*context_, "CustomProperty.GetValue", text_, value);
    }

  private:
    std::shared_ptr<SimContext> context_;
    std::u16string text_;
};

}  // namespace zarn::host::sim
