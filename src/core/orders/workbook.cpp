#include "orders/workbook.h"

#include "io/atomic_file.h"
#include "orders/dates.h"
#include "text/encoding.h"
#include "text/format.h"

#include <cstddef>
#include <string_view>
#include <utility>
#include <vector>

namespace dalvex {

namespace {

// The fixed head of every workbook: document properties, window settings and the cell styles s21 .. s38.
constexpr std::string_view kHeader = R"(<?xml version="1.0" encoding="windows-1251"?>
<?mso-application progid="Excel.Sheet"?>
<Workbook xmlns="urn:schemas-microsoft-com:office:spreadsheet"
 xmlns:o="urn:schemas-microsoft-com:office:office"
 xmlns:x="urn:schemas-microsoft-com:office:excel"
 xmlns:ss="urn:schemas-microsoft-com:office:spreadsheet"
 xmlns:html="http://www.w3.org/TR/REC-html40">
 <DocumentProperties xmlns="urn:schemas-microsoft-com:office:office">
  <LastAuthor>tovr</LastAuthor>
  <Created>2015-07-16T20:07:23Z</Created>
  <LastSaved>2015-07-16T20:07:45Z</LastSaved>
  <Version>11.9999</Version>
 </DocumentProperties>
 <ExcelWorkbook xmlns="urn:schemas-microsoft-com:office:excel">
  <WindowHeight>12690</WindowHeight>
  <WindowWidth>12315</WindowWidth>
  <WindowTopX>360</WindowTopX>
  <WindowTopY>135</WindowTopY>
  <RefModeR1C1/>
  <ProtectStructure>False</ProtectStructure>
  <ProtectWindows>False</ProtectWindows>
 </ExcelWorkbook>
 <Styles>
  <Style ss:ID="Default" ss:Name="Normal">
   <Alignment ss:Vertical="Bottom"/>
   <Borders/>
   <Font ss:FontName="Arial Cyr" x:CharSet="204"/>
   <Interior/>
   <NumberFormat/>
   <Protection/>
  </Style>
  <Style ss:ID="s21">
   <Borders>
    <Border ss:Position="Bottom" ss:LineStyle="Continuous" ss:Weight="1"/>
    <Border ss:Position="Left" ss:LineStyle="Continuous" ss:Weight="1"/>
    <Border ss:Position="Right" ss:LineStyle="Continuous" ss:Weight="1"/>
    <Border ss:Position="Top" ss:LineStyle="Continuous" ss:Weight="1"/>
   </Borders>
   <Font ss:FontName="Arial Cyr" x:CharSet="204" ss:Bold="1"/>
  </Style>
  <Style ss:ID="s22">
   <Borders>
    <Border ss:Position="Bottom" ss:LineStyle="Continuous" ss:Weight="1"/>
    <Border ss:Position="Left" ss:LineStyle="Continuous" ss:Weight="1"/>
    <Border ss:Position="Right" ss:LineStyle="Continuous" ss:Weight="1"/>
    <Border ss:Position="Top" ss:LineStyle="Continuous" ss:Weight="1"/>
   </Borders>
   <Font ss:FontName="Arial Cyr" x:CharSet="204"/>
  </Style>
  <Style ss:ID="s23">
   <Borders>
    <Border ss:Position="Bottom" ss:LineStyle="Continuous" ss:Weight="1"/>
    <Border ss:Position="Left" ss:LineStyle="Continuous" ss:Weight="1"/>
    <Border ss:Position="Right" ss:LineStyle="Continuous" ss:Weight="1"/>
    <Border ss:Position="Top" ss:LineStyle="Continuous" ss:Weight="1"/>
   </Borders>
   <Font ss:FontName="Arial Cyr" x:CharSet="204" ss:Bold="0"/>
   <NumberFormat ss:Format="#,##0.00&quot;p.&quot;"/>
  </Style>
  <Style ss:ID="s24">
   <Borders>
    <Border ss:Position="Bottom" ss:LineStyle="Continuous" ss:Weight="1"/>
    <Border ss:Position="Left" ss:LineStyle="Continuous" ss:Weight="1"/>
    <Border ss:Position="Right" ss:LineStyle="Continuous" ss:Weight="1"/>
    <Border ss:Position="Top" ss:LineStyle="Continuous" ss:Weight="1"/>
   </Borders>
   <Font ss:FontName="Arial Cyr" x:CharSet="204" ss:Bold="0"/>
  </Style>
  <Style ss:ID="s36">
   <Borders>
    <Border ss:Position="Bottom" ss:LineStyle="Continuous" ss:Weight="1"/>
    <Border ss:Position="Left" ss:LineStyle="Continuous" ss:Weight="1"/>
    <Border ss:Position="Right" ss:LineStyle="Continuous" ss:Weight="1"/>
    <Border ss:Position="Top" ss:LineStyle="Continuous" ss:Weight="1"/>
   </Borders>
   <NumberFormat ss:Format="Short Date"/>
  </Style>
  <Style ss:ID="s37">
   <Alignment ss:Horizontal="Right" ss:Vertical="Bottom"/>
   <Borders>
    <Border ss:Position="Bottom" ss:LineStyle="Continuous" ss:Weight="1"/>
    <Border ss:Position="Left" ss:LineStyle="Continuous" ss:Weight="1"/>
    <Border ss:Position="Right" ss:LineStyle="Continuous" ss:Weight="1"/>
    <Border ss:Position="Top" ss:LineStyle="Continuous" ss:Weight="1"/>
   </Borders>
  </Style>
  <Style ss:ID="s38">
   <Alignment ss:Horizontal="Right" ss:Vertical="Bottom"/>
   <Borders>
    <Border ss:Position="Bottom" ss:LineStyle="Continuous" ss:Weight="1"/>
    <Border ss:Position="Left" ss:LineStyle="Continuous" ss:Weight="1"/>
    <Border ss:Position="Right" ss:LineStyle="Continuous" ss:Weight="1"/>
    <Border ss:Position="Top" ss:LineStyle="Continuous" ss:Weight="1"/>
   </Borders>
   <NumberFormat ss:Format="@"/>
  </Style>
 </Styles>
)";

// Closes every worksheet: print set-up and the window pane.
constexpr std::string_view kSheetEnd = R"( </Table>
 <WorksheetOptions xmlns="urn:schemas-microsoft-com:office:excel">
  <PageSetup>
   <PageMargins x:Bottom="0.984251969" x:Left="0.78740157499999996"
    x:Right="0.78740157499999996" x:Top="0.984251969"/>
  </PageSetup>
  <Print>
   <ValidPrinterInfo/>
   <PaperSizeIndex>9</PaperSizeIndex>
   <HorizontalResolution>600</HorizontalResolution>
   <VerticalResolution>600</VerticalResolution>
  </Print>
  <Selected/>
  <Panes>
   <Pane>
    <Number>3</Number>
    <ActiveRow>0</ActiveRow>
    <ActiveCol>0</ActiveCol>
   </Pane>
  </Panes>
  <ProtectObjects>False</ProtectObjects>
  <ProtectScenarios>False</ProtectScenarios>
 </WorksheetOptions>
</Worksheet>
)";

struct XmlCell {
    const char* style;
    bool number; // Number cells take a decimal point instead of the comma
    std::string text;
    int index = 0; // explicit column (1-based) or 0 for the next one
};

XmlCell str(const char* style, std::string text) {
    return {style, false, std::move(text)};
}
XmlCell num(const char* style, std::string text) {
    return {style, true, std::move(text)};
}

class SheetWriter {
public:
    explicit SheetWriter(std::string& out) : out_(out) {}

    void begin(std::string_view name, int rows, const std::vector<int>& widths) {
        out_ += format("<Worksheet ss:Name=\"%s\">\n", name);
        out_ +=
            format(" <Table ss:ExpandedColumnCount=\"%d\" ss:ExpandedRowCount=\"%d\" x:FullColumns=\"1\"\n"
                   "  x:FullRows=\"1\">\n",
                   static_cast<int>(widths.size()), rows);
        for (int w : widths)
            out_ += format("  <Column ss:AutoFitWidth=\"0\" ss:Width=\"%d\"/>\n", w);
    }

    void row(const std::vector<XmlCell>& cells) {
        out_ += "  <Row>\n";
        for (const XmlCell& c : cells) {
            out_ += "   <Cell ";
            if (c.index > 0) out_ += format("ss:Index=\"%d\" ", c.index);
            out_ +=
                format("ss:StyleID=\"%s\"><Data ss:Type=\"%s\">", c.style, c.number ? "Number" : "String");
            out_ += escapeXml(c.number ? commaToPoint(c.text) : c.text);
            out_ += "</Data></Cell>\n";
        }
        out_ += "  </Row>\n";
    }

    void header(const std::vector<std::string_view>& heads) {
        std::vector<XmlCell> cells;
        for (std::string_view h : heads)
            cells.push_back(str("s21", std::string(h)));
        row(cells);
    }

    void end() { out_ += kSheetEnd; }

private:
    std::string& out_;
};

void orderSheet(SheetWriter& w, const OrderFacts& facts) {
    const OrderCard& card = facts.card;
    auto cost = [](int32_t roubles) {
        return roubles >= 1 ? num("s37", format("%d", roubles)) : str("s37", "нет");
    };
    std::vector<std::pair<const char*, XmlCell>> rows = {
        {"№ заказа", str("s38", exportedOrderNumber(card.orderNumber))},
        {"ФИО", str("s37", card.customerName)},
        {"Адрес", str("s37", card.address)},
        {"Телефон", str("s37", card.phone)},
        {"Сборка", cost(card.assemblyCost)},
        {"Доставка", cost(card.deliveryCost)},
        {"Дата оформления", str("s37", formatLocalDate(card.orderDate))},
        {"Дата готовности", str("s37", formatLocalDate(card.readyDate))},
        {facts.usesPlinth ? "Высота шкафа" : "Высота проема", str("s37", millimetresText(facts.height))},
        {"Ширина проема", str("s37", millimetresText(facts.width))},
    };
    if (facts.usesPlinth) {
        rows.push_back({"Цоколь", str("s37", millimetresText(facts.plinthHeight))});
        rows.push_back({"Ширина ЛДСП", str("s37", millimetresText(facts.chipboardWidth))});
    }
    rows.push_back({"Количество дверей", str("s37", format("%d", facts.doorCount))});
    rows.push_back({"Цвет профилей", str("s37", facts.colorName)});

    w.begin("Заказ", static_cast<int>(rows.size()), {115, 200});
    for (const auto& [label, value] : rows)
        w.row({str("s21", label), value});
    w.end();
}

void priceSheet(SheetWriter& w, const CalcResult& result, const OrderFacts& facts) {
    const auto money = [](int32_t kopecks) { return format("%1.2f", kopecks / 100.0); };
    const int lines = static_cast<int>(result.articleLines.size() + result.materialLines.size());
    w.begin("Рассчет цены", lines + 7, {30, 80, 250, 70, 70});
    w.header({"№", "Артикул", "Название", "Кол-во", "Цена, руб."});
    int number = 1;
    for (const ArticleLine& a : result.articleLines) {
        w.row({num("s24", format("%d", number++)), str("s23", a.code), str("s23", articleNameText(a)),
               str("s23", articleQuantityText(a)), num("s23", money(a.amount))});
    }
    for (const MaterialLine& m : result.materialLines) {
        w.row({num("s24", format("%d", number++)), str("s23", m.name), str("s23", m.description),
               str("s23", format("%1.4f м2", m.area)), num("s23", money(m.amount))});
    }
    w.row({});
    const std::pair<const char*, double> totals[] = {
        {"Сумма", facts.itemsTotal / 100.0},
        {"Скидка", facts.discountAmount / 100.0},
        {"Сборка", static_cast<double>(facts.card.assemblyCost)},
        {"Доставка", static_cast<double>(facts.card.deliveryCost)},
        {"Итого", facts.grandTotal / 100.0},
    };
    for (const auto& [label, value] : totals) {
        XmlCell labelCell = str("s23", label);
        labelCell.index = 4;
        w.row({labelCell, num("s23", format("%0.2f", value))});
    }
    w.end();
}

void profilesSheet(SheetWriter& w, const CalcResult& result) {
    const int rows = static_cast<int>(result.cutLines.size() + result.panelLines.size()) + 3;
    w.begin("Профили и материалы", rows, {50, 50, 250, 70, 70, 70});
    w.header({"№", "Артикул", "Название профиля", "Длина, мм", "Номер"});
    for (const CutLine& c : result.cutLines) {
        w.row({str("s24", c.label), str("s23", c.code), str("s23", c.name), num("s24", c.length),
               num("s24", c.number)});
    }
    w.row({});
    w.header({"№", "Артикул", "Название материала", "Высота, мм", "Ширина, мм", "Номер"});
    for (const PanelLine& p : result.panelLines) {
        w.row({str("s24", p.label), str("s23", p.materialName), str("s23", p.materialDescription),
               num("s24", p.height), num("s24", p.width), num("s24", p.number)});
    }
    w.end();
}

void assemblySheet(SheetWriter& w, const CalcResult& result) {
    w.begin("Сборка", static_cast<int>(result.doorLines.size()) + 1, {40, 80, 80, 250, 50});
    w.header({"№ двери", "Тип элемента", "Артикул", "Название", "Номер"});
    for (const DoorLine& d : result.doorLines) {
        w.row({num("s24", d.doorNumber), str("s23", d.kind), str("s23", d.code), str("s24", d.name),
               num("s24", d.number)});
    }
    w.end();
}

} // namespace

std::string escapeXml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        switch (ch) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\n':
        case '\t':
            out += ch;
            break;
        default:
            // XML 1.0 has no way to carry the other control characters, not even as references.
            out += (static_cast<unsigned char>(ch) < 0x20) ? ' ' : ch;
        }
    }
    return out;
}

std::string plainWorkbookXml(const std::vector<PlainSheet>& sheets) {
    std::string out(kHeader);
    SheetWriter w(out);
    for (const PlainSheet& sheet : sheets) {
        w.begin(sheet.name, static_cast<int>(sheet.rows.size()) + 1, sheet.widths);
        w.header(std::vector<std::string_view>(sheet.heads.begin(), sheet.heads.end()));
        for (const std::vector<PlainCell>& row : sheet.rows) {
            std::vector<XmlCell> cells;
            for (const PlainCell& c : row)
                cells.push_back(c.number ? num("s24", c.text) : str("s23", c.text));
            w.row(cells);
        }
        w.end();
    }
    out += " </Workbook>\n";
    return out;
}

bool writePlainWorkbook(const std::filesystem::path& path, const std::vector<PlainSheet>& sheets) {
    return writeFileAtomically(path, utf8ToCp1251(plainWorkbookXml(sheets)));
}

std::string workbookXml(const CalcResult& result, const OrderFacts& facts, WorkbookSheets sheets) {
    std::string out(kHeader);
    SheetWriter w(out);
    if (sheets.order) orderSheet(w, facts);
    if (sheets.price) priceSheet(w, result, facts);
    if (sheets.profiles) profilesSheet(w, result);
    if (sheets.assembly) assemblySheet(w, result);
    out += " </Workbook>\n";
    return out;
}

bool writeWorkbook(const std::filesystem::path& path, const CalcResult& result, const OrderFacts& facts,
                   WorkbookSheets sheets) {
    if (!sheets.any()) return true;
    return writeFileAtomically(path, utf8ToCp1251(workbookXml(result, facts, sheets)));
}

} // namespace dalvex
