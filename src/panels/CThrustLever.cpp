#include "panels/CThrustLever.h"

#include "panels/PanelBlocks.h"

namespace thrust {

namespace {

using namespace kit;

constexpr LightRow kPictures[] = {
    {"THR LEVER 1 IDLE", "A320ThrL\\Idle", 0, 0}, {"THR LEVER 1 CL", "A320ThrL\\Cl", 0, 0},
    {"THR LEVER 1 MCT", "A320ThrL\\Mct", 0, 0},   {"THR LEVER 1 TOGA", "A320ThrL\\To", 0, 0},
    {"THR LEVER 1 REV", "A320ThrL\\Rev", 0, 0},   {"THR LEVER 2 IDLE", "A320ThrR\\Idle", 100, 0},
    {"THR LEVER 2 CL", "A320ThrR\\Cl", 100, 0},   {"THR LEVER 2 MCT", "A320ThrR\\Mct", 100, 0},
    {"THR LEVER 2 TOGA", "A320ThrR\\To", 100, 0}, {"THR LEVER 2 REV", "A320ThrR\\Rev", 100, 0},
};
constexpr int kTakeOffPicture = 3;

constexpr shm::FieldRow kAngleFields[] = {
    {"THRUST.LEVER_1.ANGLE", kAngle[0].Offset(), shm::FieldType::Double, shm::Writer::Program,
     "angle of thrust lever 1: 97.0 TOGA, 92.0 MCT, 80.0 CL, 0.0 IDLE on a click; the host "
     "may move it (detent from angle + 1.0: below -10 REV, 2 IDLE, 92 CL, 97 MCT)"},
    {"THRUST.LEVER_2.ANGLE", kAngle[1].Offset(), shm::FieldType::Double, shm::Writer::Program,
     "angle of thrust lever 2, as lever 1"},
    {"THRUST.LEVER_3.ANGLE", kAngle[2].Offset(), shm::FieldType::Double, shm::Writer::Program,
     "angle of engine 3's lever, set to 0.0 at start"},
    {"THRUST.LEVER_4.ANGLE", kAngle[3].Offset(), shm::FieldType::Double, shm::Writer::Program,
     "angle of engine 4's lever, set to 0.0 at start"},
    shm::FieldRow{"THRUST.LEVER_1.DETENT", blocks::kThrustLever.a320.out + kDetentOut[0],
                  shm::FieldType::Int32, shm::Writer::Program,
                  "detent of thrust lever 1 after a click: 0 REV, 2 IDLE, 3 CL, 4 MCT, 5 TOGA"}
        .In(0, 5),
    shm::FieldRow{"THRUST.LEVER_2.DETENT", blocks::kThrustLever.a320.out + kDetentOut[1],
                  shm::FieldType::Int32, shm::Writer::Program,
                  "detent of thrust lever 2, as lever 1"}
        .In(0, 5),
    {"THRUST.REVERSE_CONDITION_1", kReverseCondition1.Offset(), shm::FieldType::Byte,
     shm::Writer::Host, "reverse condition 1 (with 2 and REVERSE_SELECTED: idle reads as REV)"},
    {"THRUST.REVERSE_CONDITION_2", kReverseCondition2.Offset(), shm::FieldType::Byte,
     shm::Writer::Host, "reverse condition 2"},
    {"THRUST.ANGLES_AUTHORITATIVE", kAnglesAuthoritative.Offset(), shm::FieldType::Byte,
     shm::Writer::Host,
     "while the panel follows the host: non-zero takes the detents from the angles, 0 the "
     "angles from the detent ints"},
    {"THRUST.REVERSE_SELECTED", kReverseSelected.Offset(), shm::FieldType::Byte, shm::Writer::Host,
     "reverse selected"},
};

}  // namespace

static_assert(blocks::kThrustLever.a320.out + kDetentOut[1] == blocks::kThrustLeverRightA320);
static_assert(blocks::kThrustLever.a330.out + kDetentOut[1] == blocks::kThrustLeverRightA330);

const PanelDescription kDescription{
    .className = "CThrustLever",
    .progress = "Initialising Thrust Lever Panel Items",
    .prefix = "THRUST",
    .title = "Thrust levers",
    .regions = blocks::kThrustLever,
    .typeDependent = true,
    .lights = kPictures,
    .extraFields = [](int) { return std::span<const shm::FieldRow>(kAngleFields); },
};

}  // namespace thrust

namespace {

bool ReverseSelected(const std::uint8_t* view) {
    return thrust::kReverseSelected.Read(view) != 0 && thrust::kReverseCondition1.Read(view) != 0 &&
           thrust::kReverseCondition2.Read(view) != 0;
}

// The picture of a detent among a lever's five (reverse for codes 0 and 1).
int PictureOf(int detent) {
    switch (detent) {
        case levers::kIdle:
            return 0;
        case levers::kClimb:
            return 1;
        case levers::kMaxContinuous:
            return 2;
        case levers::kTakeOff:
            return 3;
        default:
            return 4;
    }
}

}  // namespace

double CThrustLever::Angle(const std::uint8_t* view, int lever) {
    return thrust::kAngle[lever].Read(view);
}

CLightClass& CThrustLever::Picture(int lever, int detent) {
    return Lights()[static_cast<std::size_t>(lever * thrust::kPicturesPerLever +
                                             PictureOf(detent))];
}

bool CThrustLever::InitialiseExtra(const char* /*folder*/) {
    std::uint8_t* view = GetSharedMemory();
    thrust::kAngle[2].Write(view, 0.0);
    thrust::kAngle[3].Write(view, 0.0);
    for (int lever = 0; lever < thrust::kLevers; ++lever) {
        const CLightClass& takeOff = Lights()[static_cast<std::size_t>(
            lever * thrust::kPicturesPerLever + thrust::kTakeOffPicture)];
        m_clickRect[lever] = takeOff.GetSize();
        m_drawn[lever] = kNotDrawn;
    }
    m_bandHeight = m_clickRect[0].Height();
    ReadDetents(view);
    return true;
}

void CThrustLever::OnControlFailure(Kind /*kind*/) {
    SetError(GetErrorText(), "CThrustLever::Initialise --> Could not set up thrust lever pictures");
}

void CThrustLever::ReadDetents(const std::uint8_t* view) {
    const bool reverse = ReverseSelected(view);
    for (int lever = 0; lever < thrust::kLevers; ++lever)
        m_detent[lever] = levers::DetentFromAngle(Angle(view, lever), reverse);
}

void CThrustLever::BeforeControls(std::uint8_t* view, MouseEvent* event) {
    if (event == nullptr ||
        (event->code != MouseEvent::kLeftPress && event->code != MouseEvent::kRightPress)) {
        return;
    }
    bool hit[thrust::kLevers] = {};
    for (int lever = 0; lever < thrust::kLevers; ++lever) {
        CPoint p;
        Picture(lever, levers::kTakeOff).GetLocalMousePoint(p);
        const CRect& r = m_clickRect[lever];
        if (p.x < r.left || p.x > r.right || p.y < r.top || p.y > r.bottom)
            continue;
        hit[lever] = true;
        double angle = 0.0;
        if (levers::BandAngle(p.y, m_bandHeight, angle))
            thrust::kAngle[lever].Write(view, angle);
    }
    ReadDetents(view);
    for (int lever = 0; lever < thrust::kLevers; ++lever) {
        if (hit[lever])
            GenField<std::int32_t>::At(OutBlock() + thrust::kDetentOut[lever])
                .Write(view, m_detent[lever]);
    }
}

void CThrustLever::RefreshFromOutputs() {
    std::uint8_t* view = GetSharedMemory();
    if (!IsInitialised() || view == nullptr)
        return;
    if (thrust::kAnglesAuthoritative.Read(view) == 0) {
        for (int lever = 0; lever < thrust::kLevers; ++lever) {
            const int code =
                GenField<std::int32_t>::At(OutBlock() + thrust::kDetentOut[lever]).Read(view);
            double angle = 0.0;
            if (levers::AngleOfDetent(code, angle))
                thrust::kAngle[lever].Write(view, angle);
        }
    }
    ReadDetents(view);
}

void CThrustLever::DrawExtra(CDC* dc) {
    const std::uint8_t* view = GetSharedMemory();
    ReadDetents(view);
    for (int lever = 0; lever < thrust::kLevers; ++lever) {
        if (m_detent[lever] == m_drawn[lever])
            continue;
        CLightClass& picture = Picture(lever, m_detent[lever]);
        picture.DrawAt(dc, picture.GetX(), picture.GetY());
        m_drawn[lever] = m_detent[lever];
    }
}
