// The document the preview window shows for one page: a small RTF file with
// the preview's own font table, the colour table of the topic file and the
// page's body.
#pragma once

#include <string>

#include "core/files.h"
#include "project/page_record.h"
#include "project/project_model.h"

namespace qy {

// "{\rtf1\ansi \deff<F>{\fonttbl...}" with the nine default fonts of the
// project header; the document group stays open until the closing "}" line.
std::string PreviewDocumentHead(int font_name_index);

// "\pard\plain\f<F>\fs<Z>", the paragraph format before the body.
std::string PreviewFormatLine(const ProjectHeader& header);

// The centred notice a book page shows instead of a topic, before escaping:
// "\qc " CR LF "{\b\fs22\cf2 ブック属性のページです。}\par\pard".
std::string BookPageNotice();

// The body by page kind: the escaped topic with paragraph marks for Topic and
// Popup pages, the escaped book notice for books, nothing for the others.
std::string PreviewBody(const PageRecord& page);

// The whole document: head, colour table, format line, body and "}", each
// followed by CR LF.
std::string BuildPreviewDocument(const ProjectHeader& header, const PageRecord& page);
// Page `page` (1..PageCount()); throws std::out_of_range for any other.
std::string BuildPreviewDocument(const ProjectModel& project, int page);

// Writes the document of `page` to `file`, replacing it in one atomic write.
// A page that does not exist fails without writing.
FileResult RenderPreview(const ProjectModel& project, int page, const std::string& file);

}  // namespace qy
