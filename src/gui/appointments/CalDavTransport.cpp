#include "gui/appointments/CalDavTransport.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <cstdlib>

namespace varnel {

namespace {
int EnvironmentMs(const char* name, int fallback) {
    const char* text = std::getenv(name);
    if (!text) return fallback;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    return end != text && *end == '\0' && value > 0 && value <= 3600000 ? static_cast<int>(value) : fallback;
}

int Port(const QUrl& url) { return url.port(url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0 ? 443 : 80); }

bool SameOrigin(const QUrl& a, const QUrl& b) {
    return a.scheme().compare(b.scheme(), Qt::CaseInsensitive) == 0 && a.host().compare(b.host(), Qt::CaseInsensitive) == 0 &&
           Port(a) == Port(b) && a.userInfo().isEmpty();
}
}  // namespace

std::string Seconds(int ms) {
    return QString::number(ms / 1000.0, 'g', 3).toStdString() + " s";
}

CalDavLimits CalDavLimits::FromEnvironment() {
    CalDavLimits limits;
    limits.requestMs = EnvironmentMs("VARNEL_CALDAV_TIMEOUT_MS", limits.requestMs);
    limits.deadlineMs = EnvironmentMs("VARNEL_CALDAV_DEADLINE_MS", limits.deadlineMs);
    return limits;
}

CalDavTransport::CalDavTransport(const QUrl& collection, const QString& user, const QString& password,
                                 CalDavLimits limits)
    : collection_(collection), authorization_("Basic " + (user + QLatin1Char(':') + password).toUtf8().toBase64()),
      limits_(limits) {
    network_.setAutoDeleteReplies(false);
    network_.setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    requestTimer_.setSingleShot(true);
    deadline_.setSingleShot(true);
    connect(&requestTimer_, &QTimer::timeout, this,
            [this] { Abort("the server did not answer within " + Seconds(limits_.requestMs)); });
    connect(&deadline_, &QTimer::timeout, this, [this] {
        deadlinePassed_ = true;
        Abort("the export took longer than its limit of " + Seconds(limits_.deadlineMs));
    });
}

CalDavTransport::~CalDavTransport() {
    done_ = nullptr;
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
        delete reply_;
    }
}

void CalDavTransport::Send(const QByteArray& verb, const QUrl& url, const QByteArray& body, const Headers& headers,
                           std::function<void(const CalDavReply&)> done) {
    done_ = std::move(done);
    body_.clear();
    abortReason_.clear();
    if (deadlinePassed_) {
        Finish();
        return;
    }
    if (!deadline_.isActive()) deadline_.start(limits_.deadlineMs);
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    // Every address was checked against the calendar before; this keeps the
    // password home even if a caller forgot.
    if (SameOrigin(url, collection_)) request.setRawHeader("Authorization", authorization_);
    for (const auto& [key, value] : headers) request.setRawHeader(key, value);
    reply_ = network_.sendCustomRequest(request, verb, body);
    connect(reply_, &QNetworkReply::metaDataChanged, this, [this] {
        const qint64 announced = reply_->header(QNetworkRequest::ContentLengthHeader).toLongLong();
        if (announced > limits_.maxAnswerBytes) Abort("the server's answer is larger than the limit of " +
                                                      std::to_string(limits_.maxAnswerBytes >> 20) + " MB");
    });
    connect(reply_, &QNetworkReply::readyRead, this, &CalDavTransport::Read);
    connect(reply_, &QNetworkReply::finished, this, &CalDavTransport::Finish);
    requestTimer_.start(limits_.requestMs);
}

void CalDavTransport::Read() {
    if (!reply_ || !abortReason_.empty()) return;
    body_ += reply_->read(limits_.maxAnswerBytes + 1 - body_.size());
    if (body_.size() > limits_.maxAnswerBytes)
        Abort("the server's answer is larger than the limit of " + std::to_string(limits_.maxAnswerBytes >> 20) + " MB");
}

void CalDavTransport::Abort(const std::string& why) {
    if (!reply_ || !abortReason_.empty()) return;
    abortReason_ = why;
    reply_->abort();  // finished follows, at once
}

void CalDavTransport::Finish() {
    requestTimer_.stop();
    CalDavReply out;
    if (reply_) {
        Read();
        out.status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        out.etag = reply_->rawHeader("ETag");
        if (abortReason_.empty() && out.status == 0)
            out.error = "the server cannot be reached (" + reply_->errorString().toStdString() + ")";
        reply_->disconnect(this);
        reply_->deleteLater();
        reply_ = nullptr;
    } else if (deadlinePassed_) {
        abortReason_ = "the export took longer than its limit of " + Seconds(limits_.deadlineMs);
    }
    if (!abortReason_.empty()) {
        out.error = abortReason_;
        out.status = 0;
    }
    out.body = std::move(body_);
    body_.clear();
    if (auto done = std::move(done_)) done(out);
}

}  // namespace varnel
