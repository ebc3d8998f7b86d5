// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>

#include "services/Translation.h"
#include "tests/unit/services/ShippedCatalogue.h"

namespace dravemo {
namespace {

const QStringList kLanguages = {"ko", "en", "ja", "zh", "ru", "it", "fr"};

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// One block of the catalogue file: its lines split into code and text, in file order.
struct Block {
    QStringList Codes;
    QStringList Texts;
    QString Text(const QString& code) const { return Texts.value(Codes.indexOf(code)); }
};

// The catalogue file as committed, read byte by byte.
class CatalogueFile : public ::testing::Test {
protected:
    void SetUp() override {
        bytes = ReadAll(QStringLiteral(DRAVEMO_SOURCE_DIR "/resources/translate"));
        ASSERT_FALSE(bytes.isEmpty());
        ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
        body = bytes.sliced(3);
        // Blocks end with CR LF and are followed by one empty line.
        const QString text = QString::fromUtf8(body);
        QStringList pieces = text.split(QStringLiteral("\r\n\r\n"));
        ASSERT_TRUE(pieces.last().isEmpty()) << "the content must end with an empty line";
        pieces.removeLast();
        for (const QString& piece : pieces) {
            Block block;
            for (const QString& line : piece.split(QStringLiteral("\r\n"))) {
                const qsizetype equals = line.indexOf(u'=');
                block.Codes << line.left(equals);
                block.Texts << (equals < 0 ? QString() : line.sliced(equals + 1));
            }
            blocks.push_back(block);
        }
    }
    QByteArray bytes;
    QByteArray body;
    std::vector<Block> blocks;
};

TEST_F(CatalogueFile, IsUtf8WithCrLfLineEndsAndOneEmptyLineBetweenBlocks) {
    EXPECT_EQ(QString::fromUtf8(body).toUtf8(), body) << "not valid UTF-8";
    for (qsizetype i = 0; i < body.size(); ++i) {
        if (body[i] == '\n') {
            ASSERT_TRUE(i > 0 && body[i - 1] == '\r') << "LF without CR at byte " << i;
        }
        if (body[i] == '\r') {
            ASSERT_TRUE(i + 1 < body.size() && body[i + 1] == '\n') << "lone CR at byte " << i;
        }
    }
    EXPECT_FALSE(body.startsWith("\r\n"));
    EXPECT_TRUE(body.endsWith("\r\n\r\n"));
    EXPECT_FALSE(body.contains("\r\n\r\n\r\n")) << "two empty lines in a row";
    EXPECT_FALSE(body.contains("\xEF\xBB\xBF")) << "a second byte-order mark";
}

TEST_F(CatalogueFile, HasSixtySixBlocksOfSevenLanguagesInTheirOrder) {
    ASSERT_EQ(blocks.size(), 66u);
    const QStringList first = {"ko", "en", "ja", "zh", "ru", "it", "fr"};
    const QStringList others = {"ko", "en", "ja", "ru", "zh", "it", "fr"};
    for (size_t i = 0; i < blocks.size(); ++i) {
        EXPECT_EQ(blocks[i].Codes, i == 0 ? first : others) << "block " << i + 1;
    }
}

TEST_F(CatalogueFile, HoldsTheProgramsKoreanTextsWithTheirEnglishInOrder) {
    const std::vector<std::pair<QString, QString>> entries = {
        {"Dravemo", "Dravemo"},
        {"캡쳐영역", "Capture"},
        {"전체화면 캡쳐", "Full Screen"},
        {"영역화면 캡쳐", "Region"},
        {"드래그영역 캡쳐", "Drag"},
        {"활성중인 화면 캡쳐", "Active Window"},
        {"윈도우 컨트롤 캡쳐", "Window Control"},
        {"웹페이지 캡쳐", "WebBrowser"},
        {"색상 추출", "Color Picker"},
        {"저장형식", "SaveTo"},
        {"MP4(동영상)", "MP4"},
        {"클립보드", "Clipboard"},
        {"이미지창고", "Upload Pixhold"},
        {"프린터", "Printer"},
        {"폴더열기", "Open Folder"},
        {"만든이 Ebrun", "Crafted by Ebrun"},
        {"저장폴더 열기", "Open Folder"},
        {"저장폴더 설정", "Folder setting"},
        {"단축키 설정", "Hotkey setting"},
        {"파일명 설정", "Filename setting"},
        {"순차적 #1", "Auto increment number #1"},
        {"순차적 #2", "Auto increment number #2"},
        {"날짜시간", "DateTime"},
        {"녹화 설정", "Recoder setting"},
        {"사운드 포함", "Include sound"},
        {"로그 기록", "Logging"},
        {"캡쳐소리 설정", "Sound setting"},
        {"없음", "None"},
        {"캡쳐 전 소리", "Before capture"},
        {"캡쳐 후 소리", "After capture"},
        {"마우스 커서 포함", "Mouse cursor"},
        {"부팅시 실행", "Run on system start"},
        {"종료하기", "Quit"},
        {"확인", "OK"},
        {"취소", "Cancel"},
        {"폴더 선택", "Select folder"},
        {"선택", "OK"},
        {"정말 종료하시겠습니까?", "Are you sure you want to quit?"},
        {"업로드 중입니다.", "Uploading."},
        {"이미지 업로드를 실패하였습니다.", "Image upload failed."},
        {"지원하지 않는 캡쳐영역입니다.", "Non capable capture region."},
        {"설정", "Setting"},
        {"단축키가 다른 프로그램에서 사용중입니다.", "Using shortcut keys in another program."},
        {"단축키가 설정되지 못해 캡쳐기능이 작동하지 않습니다.",
         "The capture function does not work because the shortcut key is not set."},
        {"알수없는 프로그램이 단축키를 사용중입니다.\\n\\n단축키를 변경해주세요.",
         "An unknown program is using the shortcut key.\\n\\nPlease change the shortcut key."},
        {"설정하기", "Setting"},
        {"영역크기 설정", "Size setting"},
        {"현재크기", "Current state"},
        {"사용자 정의 #1", "Custom #1"},
        {"사용자 정의 #2", "Custom #2"},
        {"사용자 정의 #3", "Custom #3"},
        {"넓이 :", "Width :"},
        {"높이 :", "Height :"},
        {"적용", "Apply"},
        {"언어 설정", "Language"},
        {"감추기", "Hide"},
        {"캡쳐가 실패하였습니다.", "Capture failed."},
        {"\"%s\" 파일이 없습니다.", "\"%s\" file not found."},
        {"최대 녹화시간", "Limit recording time"},
        {"무제한", "Unlimited"},
        {"30분", "30 minutes"},
        {"1시간", "1 hour"},
        {"2시간", "2 hours"},
        {"4시간", "4 hours"},
        {"플러팅", "Floating"},
        {"클립보드 사용을 방지하는 프로그램이 실행중입니다.",
         "A program preventing clipboard usage is running."},
    };
    ASSERT_EQ(blocks.size(), entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(blocks[i].Text("ko"), entries[i].first) << "entry " << i + 1;
        EXPECT_EQ(blocks[i].Text("en"), entries[i].second) << "entry " << i + 1;
    }
}

TEST_F(CatalogueFile, FixedTranslationsAreStoredExactly) {
    struct Row {
        size_t Entry;
        QString Code;
        QString Text;
    };
    const std::vector<Row> rows = {
        {1, "ko", "Dravemo"},
        {1, "en", "Dravemo"},
        {1, "ja", "Dravemo"},
        {1, "zh", "Dravemo"},
        {1, "ru", "Dravemo"},
        {1, "it", "Dravemo"},
        {1, "fr", "Dravemo"},
        {2, "ko", "캡쳐영역"},
        {2, "en", "Capture"},
        {2, "ja", "キャプチャー"},
        {2, "zh", "捕获"},
        {2, "ru", "Захватить"},
        {2, "it", "Acquisire"},
        {2, "fr", "Capture"},
        {16, "ko", "만든이 Ebrun"},
        {16, "en", "Crafted by Ebrun"},
        {16, "ja", "作成者: Ebrun"},
        {16, "zh", "作者：Ebrun"},
        {16, "ru", "Создатель: Ebrun"},
        {16, "it", "Creato da Ebrun"},
        {16, "fr", "Créé par Ebrun"},
        {45, "ja",
         "不明なプログラムがショートカットキーを使用中です。\\n\\nショートカットキーを変更してくだ"
         "さい。"},
        {45, "zh", "未知程序正在使用快捷键。\\n\\n请更改快捷键。"},
        {45, "ru",
         "Неизвестная программа использует горячую клавишу.\\n\\nПожалуйста, измените горячую "
         "клавишу."},
        {45, "it",
         "Un programma sconosciuto sta utilizzando il tasto rapido.\\n\\nPer favore, cambia il "
         "tasto rapido."},
        {45, "fr",
         "Un programme inconnu utilise le raccourci.\\n\\nVeuillez changer le raccourci."},
        {58, "ja", "\"%s\" ファイルが見つかりません。"},
        {58, "zh", "\"文件 %s 未找到。"},
        {58, "ru", "\"%s\" файл не найден."},
        {58, "it", "\"File %s non trovato.\""},
        {58, "fr", "\"Fichier %s introuvable.\""},
        {3, "ja", "フルスクリーン"},
    };
    ASSERT_EQ(blocks.size(), 66u);
    for (const Row& row : rows) {
        EXPECT_EQ(blocks[row.Entry - 1].Text(row.Code), row.Text)
            << "entry " << row.Entry << " " << row.Code.toStdString();
    }
}

TEST_F(CatalogueFile, EveryTextKeepsThePlaceholdersAndLineBreaksOfItsKoreanText) {
    for (size_t i = 0; i < blocks.size(); ++i) {
        const QString korean = blocks[i].Text("ko");
        for (const QString& text : blocks[i].Texts) {
            const std::string where = "entry " + std::to_string(i + 1) + ": " + text.toStdString();
            EXPECT_FALSE(text.isEmpty()) << where;
            EXPECT_EQ(text, text.trimmed()) << where;
            EXPECT_EQ(text.count(QStringLiteral("%s")), korean.count(QStringLiteral("%s")))
                << where;
            EXPECT_EQ(text.count(QStringLiteral("\\n")), korean.count(QStringLiteral("\\n")))
                << where;
        }
    }
}

TEST_F(CatalogueFile, IsTheResourceTheProgramCarries) {
    LoadShippedCatalogue();
    EXPECT_EQ(ReadAll(QStringLiteral(":/translate")), bytes);
}

// Texts shared by several entries ("Open Folder", "OK", "Setting") must mean the same in all
// of them: any text, in whichever language a window shows it, translates into every other
// language as its own entry says. Only the Korean of such entries may differ.
TEST_F(CatalogueFile, EveryTextTranslatesIntoEveryLanguageOfItsEntry) {
    LoadShippedCatalogue();
    for (size_t i = 0; i < blocks.size(); ++i) {
        for (const QString& source : blocks[i].Texts) {
            for (const QString& target : kLanguages) {
                if (target == u"ko") continue;
                const QString expected = QString(blocks[i].Text(target)).replace("\\n", "\n");
                EXPECT_EQ(TranslateText(source, target), expected)
                    << "entry " << i + 1 << ": " << source.toStdString() << " -> "
                    << target.toStdString();
            }
        }
    }
}

}  // namespace
}  // namespace dravemo
