// The data reader on any data text under the record-set structure of the
// "registro" sample (four nested levels): records or a zet::Error, each record
// nested under an earlier one a level up, and the records written back.

#include "FuzzSupport.h"
#include "template/TemplateLoader.h"
#include "xml/ElementReader.h"
#include "xml/RecordsetData.h"
#include "zetview/Error.h"

using namespace zet;
using zet::fuzz::require;

namespace {

ReportDocument *sampleTemplate = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    sampleTemplate = new ReportDocument;
    loadTemplate(*sampleTemplate, getElementValue(fuzz::sampleText("registro.zet"), QStringLiteral("ZET")));
    require(!sampleTemplate->recordsetStruct.isEmpty(), "the sample has a record-set structure");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ReportDocument document = *sampleTemplate;
    QString text = fuzz::textOf(data, size);
    try {
        readData(document, document.recordsetStruct, text);
    } catch (const Error &) {
        return 0;
    }
    for (int r = 0; r < document.records.size(); ++r) {
        const DataRecord &record = document.records[r];
        require(record.parentIndex < r, "a record follows its parent");
        require(record.level == (record.parentIndex < 0 ? 0 : document.records[record.parentIndex].level + 1),
            "a record lies a level below its parent");
        for (int v : record.valueIndexes)
            require(v >= 0 && v < document.values.size() && document.values[v].recordIndex == r,
                "a record's values belong to it");
    }
    dataToText(document);
    return 0;
}
