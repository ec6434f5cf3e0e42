#pragma once
// The engine's chart objects of a sheet and their charts, kept in the sheet's data.

#include <memory>
#include <string>

#include "automation/automation.h"
#include "engine/core/workbook.h"

namespace tallowmere::engine {

struct WorkbookContext;

class EngineChartObjects : public ChartObjects {
 public:
  EngineChartObjects(std::weak_ptr<WorkbookContext> context, std::shared_ptr<SheetData> sheet)
      : context_(std::move(context)), sheet_(std::move(sheet)) {}
  int Count() const override;
  std::shared_ptr<Chart> Add(double left, double top, double width, double height) override;

 private:
  std::weak_ptr<WorkbookContext> context_;
  std::shared_ptr<SheetData> sheet_;
};

}  // namespace tallowmere::engine
