// The nine profile systems offered, with the records each of them lists.
#include "records/builtin_tables.h"

namespace dalvex::builtin {

// Display name, picture, handle profiles, divider profiles, articles, built-in roller sets.
const std::vector<SystemRow>& systemRows() {
    static const std::vector<SystemRow> rows = {
        {"Борвик",
         118,
         {"JB001", "JB01", "JB11", "JB100", "JB120", "JB130", "JB200", "JB300N"},
         {"JB09", "JB91"},
         {"JB02", "JB03", "JB04", "JB05", "JB06", "JB07", "JB08", "JB13", "JB14", "JB17"},
         {"JB10/11B", "JB010/011B", "JB16"}},
        {"Лантес",
         115,
         {"JL11", "JL12", "JL201", "DX01", "DX02", "JS01"},
         {"DX13", "DX08"},
         {"JL14", "JL15", "DX11", "JB02", "JB03", "JB05", "JB06", "JB13", "JB14"},
         {"Y1406"}},
        {"Кворин",
         315,
         {"JQ01", "JQ02"},
         {"JQ09"},
         {"JB02", "JB05", "JQ07", "JQ08", "JB13", "DX11"},
         {"JB10/11B"}},
        {"Сенфил-Н",
         119,
         {"JS01"},
         {"DX13", "DX08"},
         {"JS02", "JS03", "JB02", "JB03", "JB05", "JB06", "JB13", "JB14", "DX11"},
         {"JS04/05", "JLS"}},
        {"Далвекс",
         116,
         {"DX01", "DX02"},
         {"DX13", "DX08"},
         {"JW01", "DX03", "DX04", "DX05", "DX06", "DX07", "DX10NEW", "DX11", "JL15"},
         {"DX12", "DX12-1"}},
        {"Фелдор",
         300,
         {"JB300N", "JB100"},
         {"JB09"},
         {"JB07", "JB08", "FD01", "FD02", "FD04", "FD05", "FD06", "FD09", "JB17", "FD-SHL", "FD-SHL-1"},
         {"FD03"}},
        {"Герлит",
         120,
         {},
         {},
         {"JG01", "JG02", "JG03", "JG04", "JG06", "JG07", "JG08", "JG09", "JG10", "JG11", "JG12/JG13", "JG14",
          "JG15", "JG16"},
         {"JG05"}},
        {"Зеркан",
         319,
         {"JZ02"},
         {"JZ03"},
         {"JZ01", "JZ04", "JZ05", "JZ06", "JZ07", "JZB02", "JZB03"},
         {"JZB01"}},
        {"Нордел",
         330,
         {"JN01"},
         {"JN09"},
         {"JN02", "JN03", "JN06", "JN07", "JN99", "JN17", "JZ01", "JZ05"},
         {"JNB01"}},
    };
    return rows;
}

} // namespace dalvex::builtin
