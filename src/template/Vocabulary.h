#pragma once

#include "xml/RecordsetData.h"

#include <QLatin1String>
#include <QString>
#include <array>

// Every element name of the template text, the record-set structure and the
// data text, in one place (the structure and data keys are defined with the
// data reader, which lies below this layer). Each constant is named after its key. Keys are
// matched exactly first and then ignoring letter case (element lookups).
namespace zet::key {

// Template wrapper and top-level keys.
inline constexpr QLatin1String kZet { "ZET" };
inline constexpr QLatin1String kZetVersion { "ZETVersion" };
inline constexpr QLatin1String kZetRecordsetStruct { "ZET_RecordsetStruct" };

// Page keys, read from the whole template ("Nome", "Altezza" and "Larghezza"
// are object keys as well).
inline constexpr QLatin1String kNome { "Nome" };
inline constexpr QLatin1String kAltezza { "Altezza" };
inline constexpr QLatin1String kGriglia { "Griglia" };
inline constexpr QLatin1String kLarghezza { "Larghezza" };
inline constexpr QLatin1String kMargineDestro { "MargineDestro" };
inline constexpr QLatin1String kMargineInferiore { "MargineInferiore" };
inline constexpr QLatin1String kMargineSinistro { "MargineSinistro" };
inline constexpr QLatin1String kMargineSuperiore { "MargineSuperiore" };
inline constexpr QLatin1String kZetCorrModelloFonteDati { "ZETCorr.ModelloFonteDati" };
inline constexpr QLatin1String kSezioniColorate { "SezioniColorate" };
inline constexpr QLatin1String kVisualizzaGriglia { "VisualizzaGriglia" };
inline constexpr QLatin1String kVisualizzaMargini { "VisualizzaMargini" };

// Band presence keys (Boolean).
inline constexpr QLatin1String kInizioPagina { "InizioPagina" };
inline constexpr QLatin1String kInizioReport { "InizioReport" };
inline constexpr QLatin1String kInizioGruppoDati { "InizioGruppoDati" };
inline constexpr QLatin1String kInizioDati { "InizioDati" };
inline constexpr QLatin1String kCorpoDati { "CorpoDati" };
inline constexpr QLatin1String kFineDati { "FineDati" };
inline constexpr QLatin1String kFineGruppoDati { "FineGruppoDati" };
inline constexpr QLatin1String kFineReport { "FineReport" };
inline constexpr QLatin1String kFinePagina { "FinePagina" };

// Band heights (twips).
inline constexpr QLatin1String kAltezzaInizioPagina { "AltezzaInizioPagina" };
inline constexpr QLatin1String kAltezzaInizioReport { "AltezzaInizioReport" };
inline constexpr QLatin1String kAltezzaInizioGruppoDati { "AltezzaInizioGruppoDati" };
inline constexpr QLatin1String kAltezzaInizioDati { "AltezzaInizioDati" };
inline constexpr QLatin1String kAltezzaCorpoDati { "AltezzaCorpoDati" };
inline constexpr QLatin1String kAltezzaFineDati { "AltezzaFineDati" };
inline constexpr QLatin1String kAltezzaFineGruppoDati { "AltezzaFineGruppoDati" };
inline constexpr QLatin1String kAltezzaFineReport { "AltezzaFineReport" };
inline constexpr QLatin1String kAltezzaFinePagina { "AltezzaFinePagina" };

// Band break keys (integer: 0 none, 1 before, 2 after, 3 both).
inline constexpr QLatin1String kInterruzioneInizioReport { "InterruzioneInizioReport" };
inline constexpr QLatin1String kInterruzioneInizioGruppoDati { "InterruzioneInizioGruppoDati" };
inline constexpr QLatin1String kInterruzioneInizioDati { "InterruzioneInizioDati" };
inline constexpr QLatin1String kInterruzioneCorpoDati { "InterruzioneCorpoDati" };
inline constexpr QLatin1String kInterruzioneFineDati { "InterruzioneFineDati" };
inline constexpr QLatin1String kInterruzioneFineGruppoDati { "InterruzioneFineGruppoDati" };
inline constexpr QLatin1String kInterruzioneFineReport { "InterruzioneFineReport" };

// Band new-page keys (integer).
inline constexpr QLatin1String kNuovaPaginaInizioGruppoDati { "NuovaPaginaInizioGruppoDati" };
inline constexpr QLatin1String kNuovaPaginaInizioDati { "NuovaPaginaInizioDati" };
inline constexpr QLatin1String kNuovaPaginaCorpoDati { "NuovaPaginaCorpoDati" };
inline constexpr QLatin1String kNuovaPaginaFineDati { "NuovaPaginaFineDati" };
inline constexpr QLatin1String kNuovaPaginaFineGruppoDati { "NuovaPaginaFineGruppoDati" };

// Band repeat keys (integer). The data footer's is written with a lower-case f.
inline constexpr QLatin1String kReplicaCorpoDati { "ReplicaCorpoDati" };
inline constexpr QLatin1String kReplicafineDati { "ReplicafineDati" };

// One "zet_object" element per report object, with its keys.
inline constexpr QLatin1String kZetObject { "zet_object" };
inline constexpr QLatin1String kZeteControlType { "ZETe_ControlType" };
inline constexpr QLatin1String kSinistra { "Sinistra" };
inline constexpr QLatin1String kAlto { "Alto" };
inline constexpr QLatin1String kZOrder { "ZOrder" };
inline constexpr QLatin1String kStampa { "Stampa" };
inline constexpr QLatin1String kAdattaAControllo { "AdattaAControllo" };
inline constexpr QLatin1String kAdattaAImmagine { "AdattaAImmagine" };
inline constexpr QLatin1String kAllineamento { "Allineamento" };
inline constexpr QLatin1String kBordo { "Bordo" };
inline constexpr QLatin1String kColoreBordo { "ColoreBordo" };
inline constexpr QLatin1String kColoreSfondo { "ColoreSfondo" };
inline constexpr QLatin1String kColoreTesto { "ColoreTesto" };
inline constexpr QLatin1String kFonteDati { "FonteDati" };
inline constexpr QLatin1String kImmagine { "Immagine" };
inline constexpr QLatin1String kSfondoTrasparente { "SfondoTrasparente" };
inline constexpr QLatin1String kStile { "Stile" };
inline constexpr QLatin1String kValore { "Valore" };
inline constexpr QLatin1String kFont { "Font" };

// "FonteDati" holding this text (in any letter case) means no data source.
inline constexpr QLatin1String kNullDataSource { "[NULL]" };

// "Font" sub-keys, in the order they are applied.
inline constexpr QLatin1String kBold { "Bold" };
inline constexpr QLatin1String kCharset { "Charset" };
inline constexpr QLatin1String kItalic { "Italic" };
inline constexpr QLatin1String kName { "Name" };
inline constexpr QLatin1String kSize { "Size" };
inline constexpr QLatin1String kStrikethrough { "Strikethrough" };
inline constexpr QLatin1String kUnderline { "Underline" };
inline constexpr QLatin1String kWeight { "Weight" };

// One "zet_imagelist" element per embedded image.
inline constexpr QLatin1String kZetImagelist { "zet_imagelist" };
inline constexpr QLatin1String kImageId { "Image-ID" };
inline constexpr QLatin1String kImageFile { "Image-File" };

// The keys of one band of the band table; an empty name means the band has
// no such key and the field stays 0.
struct BandKeys
{
    QLatin1String Presence;
    QLatin1String height;
    QLatin1String Break;
    QLatin1String newPage;
    QLatin1String repeat;
};

// The nine named bands, in band-table order (slots 2 to 10).
inline constexpr std::array<BandKeys, 9> kBandKeys { {
    { kInizioPagina, kAltezzaInizioPagina, {}, {}, {} },
    { kInizioReport, kAltezzaInizioReport, kInterruzioneInizioReport, {}, {} },
    { kInizioGruppoDati, kAltezzaInizioGruppoDati, kInterruzioneInizioGruppoDati,
        kNuovaPaginaInizioGruppoDati, {} },
    { kInizioDati, kAltezzaInizioDati, kInterruzioneInizioDati, kNuovaPaginaInizioDati, {} },
    { kCorpoDati, kAltezzaCorpoDati, kInterruzioneCorpoDati, kNuovaPaginaCorpoDati, kReplicaCorpoDati },
    { kFineDati, kAltezzaFineDati, kInterruzioneFineDati, kNuovaPaginaFineDati, kReplicafineDati },
    { kFineGruppoDati, kAltezzaFineGruppoDati, kInterruzioneFineGruppoDati, kNuovaPaginaFineGruppoDati, {} },
    { kFineReport, kAltezzaFineReport, kInterruzioneFineReport, {}, {} },
    { kFinePagina, kAltezzaFinePagina, {}, {}, {} },
} };

// The keys read from the whole template: version, structure, page and band
// keys.
inline constexpr std::array kTopLevelKeys {
    kZetVersion,
    kZetRecordsetStruct,
    kNome,
    kAltezza,
    kGriglia,
    kLarghezza,
    kMargineDestro,
    kMargineInferiore,
    kMargineSinistro,
    kMargineSuperiore,
    kZetCorrModelloFonteDati,
    kSezioniColorate,
    kVisualizzaGriglia,
    kVisualizzaMargini,
    kInizioPagina,
    kInizioReport,
    kInizioGruppoDati,
    kInizioDati,
    kCorpoDati,
    kFineDati,
    kFineGruppoDati,
    kFineReport,
    kFinePagina,
    kAltezzaInizioPagina,
    kAltezzaInizioReport,
    kAltezzaInizioGruppoDati,
    kAltezzaInizioDati,
    kAltezzaCorpoDati,
    kAltezzaFineDati,
    kAltezzaFineGruppoDati,
    kAltezzaFineReport,
    kAltezzaFinePagina,
    kInterruzioneInizioReport,
    kInterruzioneInizioGruppoDati,
    kInterruzioneInizioDati,
    kInterruzioneCorpoDati,
    kInterruzioneFineDati,
    kInterruzioneFineGruppoDati,
    kInterruzioneFineReport,
    kNuovaPaginaInizioGruppoDati,
    kNuovaPaginaInizioDati,
    kNuovaPaginaCorpoDati,
    kNuovaPaginaFineDati,
    kNuovaPaginaFineGruppoDati,
    kReplicaCorpoDati,
    kReplicafineDati,
};

// Every element name a template may hold, each once.
inline constexpr std::array kTemplateKeys {
    kZet,
    kZetVersion,
    kZetRecordsetStruct,
    kNome,
    kAltezza,
    kGriglia,
    kLarghezza,
    kMargineDestro,
    kMargineInferiore,
    kMargineSinistro,
    kMargineSuperiore,
    kZetCorrModelloFonteDati,
    kSezioniColorate,
    kVisualizzaGriglia,
    kVisualizzaMargini,
    kInizioPagina,
    kInizioReport,
    kInizioGruppoDati,
    kInizioDati,
    kCorpoDati,
    kFineDati,
    kFineGruppoDati,
    kFineReport,
    kFinePagina,
    kAltezzaInizioPagina,
    kAltezzaInizioReport,
    kAltezzaInizioGruppoDati,
    kAltezzaInizioDati,
    kAltezzaCorpoDati,
    kAltezzaFineDati,
    kAltezzaFineGruppoDati,
    kAltezzaFineReport,
    kAltezzaFinePagina,
    kInterruzioneInizioReport,
    kInterruzioneInizioGruppoDati,
    kInterruzioneInizioDati,
    kInterruzioneCorpoDati,
    kInterruzioneFineDati,
    kInterruzioneFineGruppoDati,
    kInterruzioneFineReport,
    kNuovaPaginaInizioGruppoDati,
    kNuovaPaginaInizioDati,
    kNuovaPaginaCorpoDati,
    kNuovaPaginaFineDati,
    kNuovaPaginaFineGruppoDati,
    kReplicaCorpoDati,
    kReplicafineDati,
    kZetObject,
    kZeteControlType,
    kSinistra,
    kAlto,
    kZOrder,
    kStampa,
    kAdattaAControllo,
    kAdattaAImmagine,
    kAllineamento,
    kBordo,
    kColoreBordo,
    kColoreSfondo,
    kColoreTesto,
    kFonteDati,
    kImmagine,
    kSfondoTrasparente,
    kStile,
    kValore,
    kFont,
    kBold,
    kCharset,
    kItalic,
    kName,
    kSize,
    kStrikethrough,
    kUnderline,
    kWeight,
    kZetImagelist,
    kImageId,
    kImageFile,
};

// The keys of a "zet_object" element, in the order the loader reads them.
inline constexpr std::array kObjectKeys {
    kZeteControlType,
    kNome,
    kSinistra,
    kAlto,
    kLarghezza,
    kAltezza,
    kZOrder,
    kStampa,
    kAdattaAControllo,
    kAdattaAImmagine,
    kAllineamento,
    kBordo,
    kColoreBordo,
    kColoreSfondo,
    kColoreTesto,
    kFonteDati,
    kImmagine,
    kSfondoTrasparente,
    kStile,
    kValore,
    kFont,
};

// The "Font" sub-keys, in the order they are applied.
inline constexpr std::array kFontKeys {
    kBold,
    kCharset,
    kItalic,
    kName,
    kSize,
    kStrikethrough,
    kUnderline,
    kWeight,
};

// Record-set structure key prefixes (each followed by a level) and the data
// text's own keys.
inline constexpr std::array kStructureKeyPrefixes {
    kRecordsetStruct,
    kRecordsetStructName,
    kField,
    kFieldName,
};
inline constexpr std::array kDataKeys {
    kNomeFileEsportazione,
};

} // namespace zet::key
