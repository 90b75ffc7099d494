#include "admin/bank/ui/PaperPdf.h"

#include "admin/bank/FormStem.h"
#include "admin/bank/SamplePaper.h"
#include "platform/Gbk.h"
#include "platform/ReplacingWrite.h"

#include <QBuffer>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

namespace olv {

namespace {

QString html(std::string_view gbk) { return QString::fromStdString(gbkToUtf8(gbk)).toHtmlEscaped(); }

// A stored stem with its "/n" line breaks as HTML line breaks.
QString stemHtml(const std::string& stem)
{
    return html(stem).replace(QStringLiteral("/n"), QStringLiteral("<br>"));
}

QString points(float value) { return QString::number(static_cast<double>(value), 'g', 4); }

QString header(const ExamSettings& settings, const QString& titleSuffix)
{
    return QStringLiteral("<h2 align=\"center\">%1</h2><h3 align=\"center\">%2%3</h3>")
        .arg(html(settings.examName), html(settings.subject), titleSuffix);
}

QString kindTitle(QuestionKind kind)
{
    switch (kind) {
    case QuestionKind::SingleChoice:
        return QStringLiteral("单选题");
    case QuestionKind::MultipleChoice:
        return QStringLiteral("多选题");
    case QuestionKind::TrueFalse:
        break;
    }
    return QStringLiteral("判断题");
}

float pointsOf(const ExamSettings& settings, QuestionKind kind)
{
    switch (kind) {
    case QuestionKind::SingleChoice:
        return settings.singleChoicePoints;
    case QuestionKind::MultipleChoice:
        return settings.multipleChoicePoints;
    case QuestionKind::TrueFalse:
        break;
    }
    return settings.trueFalsePoints;
}

// The document laid out on A4; QTextDocument::print numbers the pages at their foot when the
// document has no page size of its own.
std::string pdfOf(const QString& body)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        writer.setResolution(300);
        writer.setCreator(QStringLiteral("Olvadmin"));
        QTextDocument document;
        QFont font(QStringLiteral("WenQuanYi Micro Hei"));
        font.setPointSizeF(11);
        document.setDefaultFont(font);
        document.setHtml(body);
        document.print(&writer);
    }
    return bytes.toStdString();
}

} // namespace

std::string paperPdf(const ExamSettings& settings, const QuestionBank& paper)
{
    QString body = header(settings, {});
    body += QStringLiteral("<p>班级:________________ &nbsp; 姓名:________________ &nbsp; 考号:________________</p>");
    int number = 0;
    int section = 0;
    static const QString sectionNumbers = QStringLiteral("一二三");
    for (QuestionKind kind : allQuestionKinds) {
        const auto& questions = paper.questionsOf(kind);
        if (questions.empty())
            continue;
        body += QStringLiteral("<h3>%1、%2 (每题%3分, 共%4题)</h3>")
                    .arg(sectionNumbers[section++])
                    .arg(kindTitle(kind), points(pointsOf(settings, kind)))
                    .arg(questions.size());
        for (const Question& question : questions) {
            body += QStringLiteral("<p>%1. %2").arg(++number).arg(stemHtml(question.stem));
            if (kind == QuestionKind::TrueFalse) {
                body += QStringLiteral(" (&nbsp;&nbsp;&nbsp;&nbsp;)</p>");
                continue;
            }
            for (std::size_t i = 0; i < question.options.size(); ++i)
                if (!question.options[i].empty())
                    body += QStringLiteral("<br>&nbsp;&nbsp;%1. %2").arg(QChar('A' + static_cast<int>(i))).arg(html(question.options[i]));
            body += QStringLiteral("</p>");
        }
    }
    return pdfOf(body);
}

std::string answerKeyPdf(const ExamSettings& settings, const QuestionBank& paper)
{
    QString body = header(settings, QStringLiteral("标准答案"));
    body += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\" width=\"100%\">"
                           "<tr><th>题号</th><th>题型</th><th>分值</th><th>答案</th></tr>");
    int number = 0;
    for (QuestionKind kind : allQuestionKinds)
        for (const Question& question : paper.questionsOf(kind)) {
            QString answer = QString::fromStdString(question.answer);
            if (kind == QuestionKind::TrueFalse)
                answer = question.answer == "A" ? QStringLiteral("√ 正确") : QStringLiteral("× 错误");
            body += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td><td>%4</td></tr>")
                        .arg(++number)
                        .arg(kindTitle(kind), points(pointsOf(settings, kind)), answer);
        }
    body += QStringLiteral("</table>");
    return pdfOf(body);
}

bool writePaperPdf(const ExamSettings& settings, const QuestionBank& paper, const std::filesystem::path& target)
{
    return writeReplacing(target, paperPdf(settings, paper));
}

bool writeAnswerKeyPdf(const ExamSettings& settings, const QuestionBank& paper, const std::filesystem::path& target)
{
    return writeReplacing(target, answerKeyPdf(settings, paper));
}

} // namespace olv
