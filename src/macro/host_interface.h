// The main window as the host of its macro component: it answers the host
// routines and properties of the vocabulary (host_vocabulary.h) against the
// project model and the topic editor.
//
// Page numbers in the vocabulary count from 0; refusals are results (0 from
// setters and editor routines, -1 or '' from getters), never errors. Only an
// index or property id the host does not serve ends the run.
#pragma once

#include <cstdint>
#include <string>

#include "core/platform.h"
#include "core/settings.h"
#include "macro/host_window.h"
#include "macro/poor_pascal.h"
#include "project/project_model.h"

namespace qy {

class MacroHostInterface {
 public:
  MacroHostInterface(ProjectModel& model, MacroWindow& window, Clipboard& clipboard,
                     Settings& settings);

  // Declares the vocabulary in `pascal` (once per component) and binds its
  // events to this object, which must outlive the component's runs.
  void Attach(TPoorPascal& pascal);

  // The event answers. False when the index or id is not served.
  bool IntegerFunction(std::int32_t index, const MacroArguments& args, std::int64_t& result);
  bool StringFunction(std::int32_t index, const MacroArguments& args, std::string& result);
  bool ReadIntegerProperty(std::int32_t id, std::int64_t& value);
  bool WriteIntegerProperty(std::int32_t id, std::int64_t value);
  // A read that leaves `value` alone keeps the property's last stored value.
  bool ReadStringProperty(std::int32_t id, std::string& value);
  bool WriteStringProperty(std::int32_t id, const std::string& value);

 private:
  Editor& editor() { return window_.editor(); }
  // The current page has topic text (the guard of the editor routines).
  bool CurrentHasTopic() const;
  // The guard, and an editor that accepts changes.
  bool EditorWritable();
  // Page from 1 for a 0-based macro index; 0 when outside the table.
  int PageOf(std::int64_t index) const;
  // Writes the editor text into the current page's topic when it differs
  // there, so that the model always holds what the editor shows.
  void SyncTopic();
  std::int64_t SetPageField(const MacroArguments& args, PageField field);
  std::string GetPageField(const MacroArguments& args, PageField field) const;
  std::string PictureName(std::int64_t index) const;

  ProjectModel& model_;
  MacroWindow& window_;
  Clipboard& clipboard_;
  Settings& settings_;
};

}  // namespace qy
