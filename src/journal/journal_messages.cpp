#include "journal_messages.h"

namespace dalvex::journal {

std::string journalOffMessage(const JournalStatus& why, const std::string& file) {
    const std::string tail = " Программа работает без журнала заказов.";
    switch (why.code) {
    case JournalErrc::Newer:
        return "Журнал заказов " + file + " создан более новой версией программы и не будет изменён." + tail;
    case JournalErrc::Damaged:
        return "Журнал заказов " + file + " повреждён (" + why.message + ")." + tail +
               " Файл оставлен как есть; проверка: dalvex-cli journal check.";
    default:
        return "Журнал заказов " + file + " не открывается (" + why.message + ")." + tail;
    }
}

JournalStatus changedElsewhere() {
    return journalError(JournalErrc::Stale, kChangedElsewhere);
}

std::string offlineMessage(const std::string& server, const std::string& queueFile) {
    return "Сервер журнала заказов " + server +
           " недоступен: программа работает без связи с ним. Сохранённые заказы ждут в " + queueFile +
           " и будут отправлены, как только сервер ответит.";
}

namespace {

std::string because(const std::string& why) {
    return why.empty() ? std::string() : " (" + why + ")";
}

} // namespace

std::string recordLaterMessage(const std::string& file, const std::string& why, const std::string& queue) {
    return "Заказ сохранён в файл, но журнал заказов " + file + " сейчас не принял запись" + because(why) +
           ". Она будет сделана при следующем запуске программы." +
           (queue.empty() ? std::string() : " Запись ждёт в " + queue + ".");
}

std::string recordLostMessage(const std::string& file, const std::string& why) {
    return "Заказ сохранён в файл, но не записан в журнал заказов " + file + because(why) + ".";
}

} // namespace dalvex::journal
