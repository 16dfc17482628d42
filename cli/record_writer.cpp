#include "cli/record_writer.h"

#include <string>
#include <vector>

#include "cli/json_text.h"

void TabRecordWriter::Write(const Record& record) {
    std::vector<const std::string*> fields = {&record.verdict, &record.path};
    if (record.judgement) fields.push_back(&record.judgement->expectedType);
    if (record.newPath) fields.push_back(&*record.newPath);
    if (record.reason) fields.push_back(&*record.reason);
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) std::fputc('\t', m_file);
        std::fwrite(fields[i]->data(), 1, fields[i]->size(), m_file);
    }
    std::fputc(m_terminator, m_file);
}

void JsonRecordWriter::Write(const Record& record) {
    std::vector<JsonField> fields = {{"verdict", record.verdict}, {"path", record.path, true}};
    if (const std::optional<Judgement>& judgement = record.judgement) {
        fields.push_back({"type", judgement->type});
        fields.push_back({"extension", judgement->extension});
        fields.push_back({"proposed_name", judgement->proposedName, true});
    }
    if (record.newPath) fields.push_back({"new_path", record.newPath, true});
    if (record.reason) fields.push_back({"reason", record.reason});
    const std::string line = JsonObject(fields);
    std::fwrite(line.data(), 1, line.size(), m_file);
    std::fputc(m_terminator, m_file);
}

std::unique_ptr<RecordWriter> MakeRecordWriter(bool json, char terminator, std::FILE* file) {
    if (json) return std::make_unique<JsonRecordWriter>(file, terminator);
    return std::make_unique<TabRecordWriter>(file, terminator);
}
