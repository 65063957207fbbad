#include "tools/SvpTexts.h"

#include "core/NumberFormat.h"
#include "tools/SvpSteps.h"

namespace selvir::svptext {

std::string sampleOutOfRange(double velocity, int line, bool turkish) {
    const std::string v = formatGeneral(velocity);
    const std::string n = std::to_string(line);
    if (turkish) {
        return "Bu değer belkenen ses hızı aralığında değl! Ses hızı " + v + "'nin bulunduğu satır " + n +
               " kullanılmayacaktır.";
    }
    return "Value exceeds SV range! Please correct " + v + " value at line " + n +
           " in source file. This line will be skipped.";
}

std::string surfaceBinEmpty(bool turkish) {
    if (turkish) {
        return "Ses hızı profilinin başlangıcı olan 0 derinlik ve buna ait ses hızı boş olamaz. Bu değeri "
               "kendiniz doldurup yeniden deneyiniz.\nÖrnek: 0,1500.00";
    }
    return "SV value at 0 depth cannot be blank. Consider manually adding a value for 0 depth.Example "
           "0,1500.";
}

std::string columnOutOfRange(int bin, bool turkish) {
    const std::string k = std::to_string(bin);
    if (turkish) {
        return "Sıra " + k + " ses hızı değeri hatalı. Lütfen kontrol edin, düzeltin ve tekrar deneyin";
    }
    return "SV value at " + k + " is out of range. Please check, correct retry.";
}

std::string maxDepthInvalid(bool turkish) {
    const std::string limit = std::to_string(kMaxDepthLimit);
    if (turkish) {
        return "Maksimum derinlik 1 ile " + limit + " arasında bir tam sayı (metre) olmalıdır.";
    }
    return "Max Depth must be a whole number of metres from 1 to " + limit + ".";
}

std::string searchStringInvalid(const std::string& reason, bool turkish) {
    if (turkish) {
        return "Format tanımlayıcısı kullanılamıyor: " + reason;
    }
    return "The format identifier cannot be used: " + reason;
}

std::string noSamplesRead(bool turkish) {
    if (turkish) {
        return "Hiç ses hızı değeri okunamadı. Format tanımlayıcısını kontrol edin ya da başka bir dosya "
               "yükleyin.";
    }
    return "No sound velocity values were read. Check the format identifier or load another file.";
}

std::string fileUnreadable(const std::string& file, bool turkish) {
    if (turkish) {
        return "Dosya okunamadı: " + file;
    }
    return "The file could not be read: " + file;
}

std::string fileTooLarge(const std::string& file, bool turkish) {
    const std::string megabytes = std::to_string(kMaxSoundVelocityFileBytes / (1024 * 1024));
    if (turkish) {
        return "Dosya bir ses hızı profili için çok büyük (en çok " + megabytes + " MB): " + file;
    }
    return "The file is too large for a sound velocity cast (at most " + megabytes + " MB): " + file;
}

std::string probeFault(ProbeFormat format, ProbeReadResult::Fault fault, bool turkish) {
    const std::string name = probeFormatName(format);
    const bool noDepth = fault == ProbeReadResult::Fault::NoDepthOrPressure;
    if (turkish) {
        return name + (noDepth ? " dosyasında derinlik ya da basınç sütunu yok."
                               : " dosyasında ses hızı sütunu ya da onu hesaplamak için sıcaklık ve tuzluluk "
                                 "sütunları yok.");
    }
    return name +
           (noDepth ? " file without a depth or pressure column."
                    : " file without a sound velocity column, nor temperature and salinity to compute it.");
}

std::string tablesNotSaved(const std::string& reason, bool turkish) {
    if (turkish) {
        return "Ses hızı tabloları kaydedilemedi: " + reason;
    }
    return "The sound velocity tables could not be saved: " + reason;
}

std::string autoDetectNoData() {
    return "No data loaded. Please load a file first.";
}

std::string autoDetectNoHeader() {
    return "Could not find header line with SV and Pressure/Depth columns.\nPlease set search string "
           "manually.";
}

std::string autoDetectReport(const SearchStringDetection& detection, bool turkish) {
    const std::string delimiter = detection.delimiter == '\t' ? "TAB" : std::string(1, detection.delimiter);
    std::string text = turkish ? "Otomatik algilanan format:\n" : "Auto-detected format:\n";
    text +=
        (turkish ? "- Baslik satiri: " : "- Header at line: ") + std::to_string(detection.headerLine) + "\n";
    text += (turkish ? "- Ayirici: " : "- Delimiter: ") + delimiter + "\n";
    text += (turkish ? "- SV sutunu: " : "- SV column: ") + std::to_string(detection.velocityColumn) + "\n";
    text += (turkish ? "- Basinc sutunu: " : "- Pressure column: ") + std::to_string(detection.depthColumn) +
            "\n";
    text += (turkish ? "- Arama dizesi: " : "- Search string: ") + detection.searchString;
    return text;
}

std::string graphNoData() {
    return "No data to graph. Please process SVP data first.";
}

std::string graphDataUpdated() {
    return "Data updated. Please regenerate SVP Column.";
}

} // namespace selvir::svptext
