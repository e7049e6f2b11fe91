#include "run/paste_lines.h"

#include <algorithm>
#include <utility>

#include "run/name_order.h"
#include "run/paste_text.h"

namespace tagsmit {

PasteLines MakePasteLines(const Options& options, Services& services,
                          std::vector<std::string> file_names) {
  // One file needs no order, nor the lower-case mapping's locale (a third of
  // a run's memory on Linux).
  if (file_names.size() > 1) {
    SortByName(file_names, services.fs.Style(),
               [&](const std::string& name) { return services.desktop.ToLower(name); });
  }
  PasteLines lines;
  bool first = true;
  for (const std::string& file_name : file_names) {
    Result<std::string> paste_text = MakePasteText(options, services, file_name);
    if (!paste_text.ok()) {
      lines.failures.push_back({file_name, paste_text.error()});
    } else if (lines.failures.empty()) {
      if (first) {
        lines.text = std::move(paste_text).value();  // one file's text is never copied
      } else {
        lines.text += '\n';
        lines.text += paste_text.value();
      }
    }
    first = false;
  }
  return lines;
}

std::string FailureReport(const std::vector<FileFailure>& failures, std::size_t shown) {
  std::string report;
  const std::size_t told = std::min(shown, failures.size());
  for (std::size_t at = 0; at < told; ++at) {
    if (at != 0) report += '\n';
    report += failures[at].reason + '\n' + failures[at].file_name;
  }
  if (failures.size() > told) {
    report += "\nほかに " + std::to_string(failures.size() - told) + " 個のファイルも読めません";
  }
  return report;
}

}  // namespace tagsmit
